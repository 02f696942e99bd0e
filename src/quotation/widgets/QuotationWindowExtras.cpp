#include "quotation/widgets/QuotationWindowExtras.h"

#include "platform/grid/widgets/GridView.h"
#include "platform/ui/Twips.h"
#include "quotation/HeaderCommands.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/LexiconAdditionCommand.h"
#include "quotation/widgets/QuotationFileCommands.h"
#include "quotation/widgets/frmPe.h"
#include "quotation/widgets/frmQ.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>

namespace varn {

QuotationWindowExtras::CustomerPicker QuotationWindowExtras::s_picker;

void QuotationWindowExtras::setCustomerPicker(CustomerPicker picker)
{
    s_picker = std::move(picker);
}

QuotationWindowExtras* QuotationWindowExtras::attach(frmQ& window, AutosaveSchedule::Clock clock)
{
    return new QuotationWindowExtras(window, std::move(clock));
}

QuotationWindowExtras::QuotationWindowExtras(frmQ& window, AutosaveSchedule::Clock clock)
    : QObject(&window)
    , m_window(window)
{
    Quotation& q = window.quotation();
    setObjectName(QStringLiteral("QuotationWindowExtras"));

    m_files = new QuotationFileCommands(q, &window, std::move(clock));
    std::array<QAction*, 5> recent{};
    for (int i = 0; i < 5; ++i)
        recent[i] = window.action(QStringLiteral("mRF%1").arg(i));
    // The window runs its own actions through the hooks; only the recent items are ours.
    m_files->bindActions(nullptr, nullptr, nullptr, recent);
    window.setCommandHandler(QStringLiteral("mOpen"), [this] { m_files->mOpen_Click(); });
    window.setCommandHandler(QStringLiteral("mSaveF"), [this] { m_files->mSaveF_Click(); });
    window.setCommandHandler(QStringLiteral("mSaveAs"), [this] { m_files->mSaveAs_Click(); });
    m_files->formLoad();

    m_pageEnd = new frmPe(q, &window);
    m_pageEnd->setRemarkPhrases(window.pageEndPhrases());
    m_pageEnd->setTaxRates(window.taxRates());
    m_pageEnd->setLeftEdge([this] {
        // Over the item grid, right of the splitter.
        const QWidget* grid = m_window.hfgQ();
        return grid ? grid->mapTo(&m_window, QPoint(0, 0)).x() : 0;
    });
    if (QPushButton* cmdPe = window.cmdPe())
        m_pageEnd->attachToggle(cmdPe, false);
    window.setCommandHandler(QStringLiteral("cmdPe"), [this] { m_pageEnd->cmdPe_Click(); });
    // Smaller than the page-end panel beside the narrowest tree and under the header, the
    // window would cut the panel's controls off.
    const QSize panel = m_pageEnd->sizeHint();
    const int headerHeight = window.menuBar()->sizeHint().height() + window.cbK()->parentWidget()->sizeHint().height();
    window.setMinimumSize(window.minimumSizeHint().expandedTo(
        QSize(TwipsToPixels(800) + panel.width() + 16, headerHeight + panel.height() + TwipsToPixels(600))));

    m_lexicon = new LexiconAdditionCommand(q, &window);
    window.setCommandHandler(QStringLiteral("mAdd2W"), [this] { m_lexicon->mAdd2W_Click(); });

    if (s_picker)
        window.setCommandHandler(QStringLiteral("cmdC"), [this] { cmdC_Click(); });

    // Closing asks through the file commands (names completed, recent list written) and
    // stops the autosave timer.
    window.setCloseHandlers([this] { return queryClose(); }, [this] { m_files->formClosed(); });
}

void QuotationWindowExtras::cmdC_Click()
{
    HeaderCommands::beginCustomerPick();
    if (s_picker)
        s_picker(&m_window);
    HeaderCommands::applyPickedCustomer(m_window.quotation());
}

bool QuotationWindowExtras::queryClose()
{
    return m_files->queryClose();
}

} // namespace varn
