// skyTuner: a desktop player for internet radio.
#include "player/Application.h"

int main(int argc, char* argv[])
{
    return Application::run(argc, argv);
}
