#include "dialogs/DialogHost.h"

namespace {
DialogHost* g_current = nullptr;
}

DialogHost* DialogHost::current()
{
    return g_current;
}

void DialogHost::setCurrent(DialogHost* host)
{
    g_current = host;
}
