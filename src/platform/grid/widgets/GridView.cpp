#include "platform/grid/widgets/GridView.h"

#include "platform/grid/widgets/GridCellDelegate.h"
#include "platform/grid/widgets/GridRegionModel.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace varn {

namespace {

constexpr int RowHeightTwips = 300;
constexpr int DefaultColWidthTwips = 960;

int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

} // namespace

// The table's own header, kept as the keeper of the body's column and row sizes but
// covered by a table of the fixed cells; its size is the fixed part's size.
class FrozenHeader : public QHeaderView {
public:
    FrozenHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
        setMinimumSectionSize(1);
        setSectionResizeMode(QHeaderView::Fixed);
    }

    void setCover(QWidget* cover)
    {
        m_cover = cover;
        m_cover->setGeometry(rect());
        m_cover->raise();
    }

    // The size is fixed by the grid; the header's own hint would measure the texts of
    // hundreds of sections every time the table lays itself out.
    QSize sizeHint() const override { return minimumSize(); }

protected:
    void paintEvent(QPaintEvent*) override {}

    void resizeEvent(QResizeEvent* event) override
    {
        QHeaderView::resizeEvent(event);
        if (m_cover)
            m_cover->setGeometry(rect());
    }

private:
    QWidget* m_cover = nullptr;
};

GridView::GridView(QWidget* parent) : QTableView(parent)
{
    using Region = GridRegionModel::Region;
    m_body = new GridRegionModel(Region::Body, this);
    m_top = new GridRegionModel(Region::Top, this);
    m_left = new GridRegionModel(Region::Left, this);
    m_corner = new GridRegionModel(Region::Corner, this);
    m_rowHeight = std::max(1, twipsToPixels(RowHeightTwips, logicalDpiY()));

    m_hHeader = new FrozenHeader(Qt::Horizontal, this);
    m_vHeader = new FrozenHeader(Qt::Vertical, this);
    m_vHeader->setDefaultSectionSize(m_rowHeight);
    setHorizontalHeader(m_hHeader);
    setVerticalHeader(m_vHeader);
    setModel(m_body);

    auto* delegate = new GridCellDelegate(this);
    setItemDelegate(delegate);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setAutoScroll(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    viewport()->installEventFilter(this);
    viewport()->setMouseTracking(true);

    m_topView = makeFrozenView(m_hHeader, m_top);
    m_hHeader->setCover(m_topView);
    m_leftView = makeFrozenView(m_vHeader, m_left);
    m_vHeader->setCover(m_leftView);
    m_cornerView = makeFrozenView(this, m_corner);
    for (QTableView* v : {m_topView, m_leftView, m_cornerView})
        v->setItemDelegate(delegate);

    // The fixed parts follow the body's scrolling, each along its own axis.
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        m_topView->horizontalScrollBar()->setValue(v);
        emit scrolled();
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
        m_leftView->verticalScrollBar()->setValue(v);
        emit scrolled();
    });
    connect(m_topView->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        m_topView->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    });
    connect(m_leftView->verticalScrollBar(), &QScrollBar::rangeChanged, this, [this] {
        m_leftView->verticalScrollBar()->setValue(verticalScrollBar()->value());
    });

    applyColors();
    for (GridRegionModel* m : {m_body, m_top, m_left, m_corner})
        m->setBaseFont(font());
    applyStructure();
}

GridView::~GridView()
{
    disconnectGrid();
}

QTableView* GridView::makeFrozenView(QWidget* parent, GridRegionModel* model)
{
    auto* v = new QTableView(parent);
    v->setModel(model);
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->horizontalHeader()->setMinimumSectionSize(1);
    v->verticalHeader()->setMinimumSectionSize(1);
    v->verticalHeader()->setDefaultSectionSize(m_rowHeight);
    v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    v->setFrameShape(QFrame::NoFrame);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setFocusPolicy(Qt::NoFocus);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setSelectionMode(QAbstractItemView::NoSelection);
    v->setWordWrap(false);
    v->setTextElideMode(Qt::ElideNone);
    v->setAutoScroll(false);
    v->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    v->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    v->viewport()->installEventFilter(this);
    v->viewport()->setMouseTracking(true);
    return v;
}

void GridView::setGridModel(GridModel* grid)
{
    disconnectGrid();
    m_grid = grid;
    for (GridRegionModel* m : {m_body, m_top, m_left, m_corner})
        m->setGrid(grid);
    m_mouseRow = m_mouseCol = 0;
    m_dragSelecting = m_selectorRow = false;
    if (grid) {
        m_connections << connect(grid, &GridModel::structureChanged, this,
                                 &GridView::onStructureChanged);
        m_connections << connect(grid, &GridModel::cellChanged, this, &GridView::onCellChanged);
        m_connections << connect(grid, &GridModel::currentCellChanged, this,
                                 [this](int row, int col) {
                                     m_selectorRow = false;
                                     onCurrentChanged();
                                     emit currentCellChanged(row, col);
                                 });
        m_connections << connect(grid, &GridModel::rowSelChanged, this,
                                 [this] { updateHighlight(); });
        m_connections << connect(grid, &QObject::destroyed, this,
                                 [this] { setGridModel(nullptr); });
    }
    applyStructure();
}

void GridView::disconnectGrid()
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
}

void GridView::onStructureChanged()
{
    applyStructure();
}

void GridView::onCellChanged(int row, int col)
{
    for (GridRegionModel* m : {m_body, m_top, m_left, m_corner})
        m->gridCellChanged(row, col);
    if (m_grid && m_grid->mergeRow(row))
        applySpans();
}

void GridView::onCurrentChanged()
{
    updateHighlight();
    viewport()->update();
}

int GridView::colWidthPixels(int col) const
{
    if (!m_grid)
        return 0;
    int twips = m_grid->colWidth(col);
    if (twips < 0)
        twips = DefaultColWidthTwips;
    return twipsToPixels(twips, logicalDpiX());
}

int GridView::fixedColsWidth() const
{
    int w = 0;
    for (int c = 0; c < m_leftView->model()->columnCount(); ++c)
        w += m_leftView->columnWidth(c);
    return w;
}

void GridView::applyColumns(QTableView* view, int firstCol, int count)
{
    // The table would repaint everything right of a resized column later, once control
    // returns to the event loop: a second repaint after the one applyStructure asks for.
    const QSignalBlocker quiet(view->horizontalHeader());
    for (int i = 0; i < count; ++i) {
        const int w = colWidthPixels(firstCol + i);
        if (w <= 0) {
            view->setColumnHidden(i, true);
        } else {
            view->setColumnHidden(i, false);
            view->setColumnWidth(i, w);
        }
    }
}

void GridView::applyStructure()
{
    for (GridRegionModel* m : {m_body, m_top, m_left, m_corner})
        m->refresh();
    const int fr = m_body->firstRow();
    const int fc = m_body->firstCol();
    applyColumns(this, fc, m_body->columnCount());
    applyColumns(m_topView, fc, m_top->columnCount());
    applyColumns(m_leftView, 0, m_left->columnCount());
    applyColumns(m_cornerView, 0, m_corner->columnCount());
    m_hHeader->setFixedHeight(fr * m_rowHeight);
    m_vHeader->setFixedWidth(fixedColsWidth());
    applySpans();
    updateHighlight();
    // Lay the views out now: after a reset an item view lays itself out again (and repaints
    // everything) once control returns to the event loop, a second repaint of the grid.
    for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{
             m_hHeader, m_vHeader, this, m_topView, m_leftView, m_cornerView})
        v->doItemsLayout();
    m_topView->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_leftView->verticalScrollBar()->setValue(verticalScrollBar()->value());
    repaintAll();
}

void GridView::applySpans()
{
    QTableView* views[] = {this, m_topView, m_leftView, m_cornerView};
    for (QTableView* v : views)
        v->clearSpans();
    if (!m_grid)
        return;
    const int fr = m_body->firstRow();
    const int fc = m_body->firstCol();
    const int rows = fr + m_body->rowCount();
    const int cols = fc + m_body->columnCount();
    auto place = [&](int row, int first, int last) {
        if (last <= first)
            return;
        QTableView* v = row < fr ? (first < fc ? m_cornerView : m_topView)
                                 : (first < fc ? m_leftView : static_cast<QTableView*>(this));
        const auto* m = static_cast<const GridRegionModel*>(v->model());
        v->setSpan(row - m->firstRow(), first - m->firstCol(), 1, last - first + 1);
    };
    for (int r = 0; r < rows; ++r) {
        if (!m_grid->mergeRow(r))
            continue;
        for (int c = 0; c < cols;) {
            auto [first, last] = m_grid->mergedSpan(r, c);
            last = std::min(last, cols - 1);
            // A span that crosses from the fixed columns into the body is cut in two.
            if (first < fc && last >= fc) {
                place(r, first, fc - 1);
                place(r, fc, last);
            } else {
                place(r, first, last);
            }
            c = std::max(last, c) + 1;
        }
    }
}

void GridView::applyColors()
{
    QPalette fixed = palette();
    fixed.setColor(QPalette::Base, fixed.color(QPalette::Button));
    fixed.setColor(QPalette::Text, fixed.color(QPalette::ButtonText));
    for (QTableView* v : {m_topView, m_leftView, m_cornerView})
        v->setPalette(fixed);
    const QPalette p = palette();
    for (GridRegionModel* m : {m_body, m_top, m_left, m_corner})
        m->setHighlightColors(p.color(QPalette::Highlight), p.color(QPalette::HighlightedText));
}

void GridView::updateHighlight()
{
    if (!m_grid) {
        m_body->setHighlightRows(0, -1);
        return;
    }
    const int a = m_grid->row();
    const int b = m_grid->rowSel();
    if (a != b || m_selectorRow)
        m_body->setHighlightRows(std::min(a, b), std::max(a, b));
    else
        m_body->setHighlightRows(0, -1);
}

void GridView::repaintAll()
{
    viewport()->update();
    for (QTableView* v : {m_topView, m_leftView, m_cornerView})
        v->viewport()->update();
}

void GridView::updateGeometries()
{
    QTableView::updateGeometries();
    if (m_cornerView) {
        m_cornerView->setGeometry(m_vHeader->x(), m_hHeader->y(), m_vHeader->width(),
                                  m_hHeader->height());
        m_cornerView->raise();
    }
}

std::pair<int, int> GridView::cellAt(const QPoint& pos) const
{
    if (!m_grid)
        return {-1, -1};
    const int fr = m_body->firstRow();
    const int fc = m_body->firstCol();
    const int rows = std::min(fr + m_body->rowCount(), m_grid->rows());
    const int cols = std::min(fc + m_body->columnCount(), m_grid->cols());
    if (rows <= 0 || cols <= 0)
        return {-1, -1};
    const QRect vp = viewport()->geometry();

    int row;
    if (fr > 0 && pos.y() < vp.top()) {
        const int y = pos.y() - m_hHeader->y();
        row = y < 0 ? 0 : std::min(y / m_rowHeight, fr - 1);
    } else if (m_body->rowCount() > 0) {
        const int r = rowAt(pos.y() - vp.top());
        row = r < 0 ? (pos.y() < vp.top() ? fr : rows - 1) : fr + r;
    } else {
        row = rows - 1;
    }

    int col;
    if (fc > 0 && pos.x() < vp.left()) {
        const int c = m_leftView->columnAt(pos.x() - m_vHeader->x());
        col = c < 0 ? (pos.x() < m_vHeader->x() ? 0 : fc - 1) : c;
    } else if (m_body->columnCount() > 0) {
        const int c = columnAt(pos.x() - vp.left());
        col = c < 0 ? (pos.x() < vp.left() ? fc : cols - 1) : fc + c;
    } else {
        col = cols - 1;
    }
    return {std::clamp(row, 0, rows - 1), std::clamp(col, 0, cols - 1)};
}

int GridView::columnOffsetIn(int firstCol, int col) const
{
    const QTableView* view = firstCol == 0 && m_body->firstCol() > 0 ? m_leftView : this;
    int x = 0;
    for (int i = 0; i < col - firstCol; ++i)
        x += view->columnWidth(i);
    return x;
}

bool GridView::belowLastRow(const QPoint& pos) const
{
    if (!m_grid || m_grid->rows() <= m_body->firstRow())
        return false;
    const QRect vp = viewport()->geometry();
    return pos.y() >= vp.top() && rowAt(pos.y() - vp.top()) < 0;
}

QRect GridView::cellRect(int row, int col) const
{
    if (!m_grid)
        return {};
    const int fr = m_body->firstRow();
    const int fc = m_body->firstCol();
    const int rows = fr + m_body->rowCount();
    const int cols = fc + m_body->columnCount();
    if (row < 0 || row >= rows || col < 0 || col >= cols)
        return {};
    const QRect vp = viewport()->geometry();
    int x, w;
    if (col < fc) {
        x = m_vHeader->x() + columnOffsetIn(0, col);
        w = m_leftView->columnWidth(col);
    } else {
        x = vp.left() + columnOffsetIn(fc, col) - horizontalOffset();
        w = columnWidth(col - fc);
    }
    const int y = row < fr ? m_hHeader->y() + row * m_rowHeight
                           : vp.top() + rowViewportPosition(row - fr);
    return QRect(x, y, w, m_rowHeight);
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* vp = nullptr;
    for (QWidget* w : {viewport(), m_topView ? m_topView->viewport() : nullptr,
                       m_leftView ? m_leftView->viewport() : nullptr,
                       m_cornerView ? m_cornerView->viewport() : nullptr}) {
        if (w && watched == w)
            vp = w;
    }
    if (!vp)
        return QTableView::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return handleMouse(vp, event);
    case QEvent::Wheel:
        // The fixed parts have no scrolling of their own: the body scrolls them.
        if (vp != viewport()) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
        break;
    case QEvent::ToolTip: {
        const QString tip = m_grid ? m_grid->toolTipText() : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, vp);
        return true;
    }
    default:
        break;
    }
    return QTableView::eventFilter(watched, event);
}

bool GridView::handleMouse(QWidget* vp, QEvent* event)
{
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint pos = vp->mapTo(this, me->position().toPoint());
    const auto [row, col] = cellAt(pos);
    m_mouseRow = row;
    m_mouseCol = col;
    m_mouseBelowRows = belowLastRow(pos);
    const int fr = m_body->firstRow();
    const int fc = m_body->firstCol();

    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_suppressClick = false;
        m_dragSelecting = false;
        if (me->button() == Qt::LeftButton && m_grid && row >= fr) {
            if (col < fc) {
                // The selector column: the row becomes the selection's anchor.
                m_grid->setRow(row);
                m_grid->setRowSel(row);
                m_dragSelecting = true;
                m_selectorRow = true;
                updateHighlight();
            } else {
                m_grid->setRow(row);
                m_grid->setCol(col);
            }
        }
        emit mouseDown(me->button(), me->modifiers(), pos);
        return true;
    case QEvent::MouseMove:
        if (m_dragSelecting) {
            if (!(me->buttons() & Qt::LeftButton))
                m_dragSelecting = false;
            else if (m_grid && row >= fr)
                m_grid->setRowSel(row);
        }
        emit mouseMove(me->buttons(), me->modifiers(), pos);
        return true;
    case QEvent::MouseButtonRelease: {
        if (me->button() == Qt::LeftButton)
            m_dragSelecting = false;
        emit mouseUp(me->button(), me->modifiers(), pos);
        const bool click = me->button() == Qt::LeftButton && !m_suppressClick && row >= 0
                           && rect().contains(pos);
        m_suppressClick = false;
        if (click)
            emit cellClicked(row, col);
        return true;
    }
    case QEvent::MouseButtonDblClick:
        if (me->button() == Qt::LeftButton) {
            m_suppressClick = true;
            if (row >= 0)
                emit cellDoubleClicked(row, col);
        } else {
            emit mouseDown(me->button(), me->modifiers(), pos);
        }
        return true;
    default:
        return false;
    }
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    // No cursor of the view's own: keys only scroll, the rest goes to the window.
    QAbstractScrollArea::keyPressEvent(event);
}

void GridView::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        for (GridRegionModel* m : {m_body, m_top, m_left, m_corner})
            m->setBaseFont(font());
        repaintAll();
    } else if (event->type() == QEvent::PaletteChange && m_topView) {
        applyColors();
        repaintAll();
    }
}

} // namespace varn
