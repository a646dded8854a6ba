// frmPlayer: the station list's events. A mouse press empties SelectedKey, an
// item click (also a keyboard move of the current row) sets it to the row's key,
// the stream address; a double click plays it.
#include "common/modGlobal.h"
#include "platform/KeyedListView.h"
#include "player/frmPlayer.h"

#include <QClipboard>
#include <QGuiApplication>

void frmPlayer::ConnectStationList()
{
    connect(m_list, &KeyedListView::MouseDown, this, [this] { m_selectedKey.clear(); });
    connect(m_list, &KeyedListView::ItemClick, this,
            [this](int row) { m_selectedKey = m_list->rowKey(row); });
    connect(m_list, &KeyedListView::DblClick, this, &frmPlayer::PlaySelectedStation);
    // Enter and Ctrl+C are handled with the window's other keys, so that every
    // keystroke acts exactly once (frmPlayerCommands.cpp).
}

// Ctrl+C: the clicked row's address, else the current one, else nothing.
void frmPlayer::CopyStationAddress()
{
    const QString address = !m_selectedKey.isEmpty() ? m_selectedKey : modGlobal::CurrentURL;
    if (address.isEmpty())
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(address);
}
