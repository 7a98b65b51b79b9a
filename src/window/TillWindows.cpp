// The till's windows beside the board: the sell window for a station or the counter, the products list and the
// room's settings. Each is one window, opened or brought forward by its key, and gone with the process.
#include "board/Board.h"
#include "dialogs/ProductsWindow.h"
#include "dialogs/RoomWindow.h"
#include "dialogs/SellWindow.h"
#include "window/Form1.h"

namespace tallivor {

SellWindow* Form1::sell()
{
    if (!m_sell) {
        // Kept when it closes: it opens again for whichever station F4 names next.
        m_sell = new SellWindow(m_board, *this);
        connect(m_sell, &SellWindow::productsRequested, this, [this] { products()->open(); });
        connect(m_sell, &SellWindow::receiptRequested, this, [this](StationId station) { printReceipt(station); });
    }
    return m_sell;
}

ProductsWindow* Form1::products()
{
    if (!m_products || m_products->isDiscarded())
        m_products = new ProductsWindow(m_board, *this);
    return m_products;
}

RoomWindow* Form1::room()
{
    if (!m_room || m_room->isDiscarded())
        m_room = new RoomWindow(m_board, *this);
    return m_room;
}

void Form1::openSell(bool atCounter)
{
    // The window keeps the station by its identity; a board without a selected row has no station to sell to.
    const StationId station = atCounter ? 0 : m_board.table().idOf(selectedRow());
    if (atCounter || station != 0)
        sell()->open(station);
}

void Form1::deleteTillWindows()
{
    delete m_sell.data();
    delete m_products.data();
    delete m_room.data();
}

} // namespace tallivor
