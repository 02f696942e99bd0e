#include "quotation/widgets/QuotationFileCommands.h"

#include "quotation/Quotation.h"
#include "quotation/RecentFiles.h"
#include "quotation/VrnSaveNames.h"

#include <QAction>
#include <QWidget>

namespace varn {

QuotationFileCommands::QuotationFileCommands(Quotation& q, QWidget* window,
                                             AutosaveSchedule::Clock clock)
    : QObject(window)
    , m_q(q)
    , m_window(window)
    , m_autosave(q, std::move(clock), this)
    , m_ofIni(RecentFiles::defaultPath())
{
    // A manual save or a new quotation leaves the autosave count running.
    connect(&m_q, &Quotation::filePathChanged, this, [this] { refreshCaption(); });
    connect(&m_q, &Quotation::recentFilesChanged, this, &QuotationFileCommands::refreshRecentMenu);
}

void QuotationFileCommands::bindActions(QAction* mOpen, QAction* mSaveF, QAction* mSaveAs,
                                        const std::array<QAction*, 5>& mRF)
{
    if (mOpen)
        connect(mOpen, &QAction::triggered, this, [this] { mOpen_Click(); });
    if (mSaveF)
        connect(mSaveF, &QAction::triggered, this, [this] { mSaveF_Click(); });
    if (mSaveAs)
        connect(mSaveAs, &QAction::triggered, this, [this] { mSaveAs_Click(); });
    m_mRF = mRF;
    for (int i = 0; i < 5; ++i) {
        if (m_mRF[i])
            connect(m_mRF[i], &QAction::triggered, this, [this, i] { mRF_Click(i); });
    }
    refreshRecentMenu();
}

void QuotationFileCommands::formLoad(const QString& ofIniPath)
{
    if (!ofIniPath.isEmpty())
        m_ofIni = ofIniPath;
    m_q.recentFiles().load(m_ofIni);
    refreshRecentMenu();
    refreshCaption();
    m_autosave.start();
}

void QuotationFileCommands::formClosed()
{
    m_autosave.stop();
    m_q.closeDown(m_ofIni);
}

bool QuotationFileCommands::queryClose()
{
    const ScopedVrnSaveNames names;
    return m_q.queryClose();
}

bool QuotationFileCommands::open(const std::optional<QString>& recentPath)
{
    const ScopedVrnSaveNames names;
    m_autosave.restartCount();   // the count starts again whenever 開啟舊檔 starts
    if (!m_q.mOpen_Click(recentPath))
        return false;
    emit opened(m_q.filePath());
    return true;
}

bool QuotationFileCommands::mOpen_Click()
{
    return open(std::nullopt);
}

bool QuotationFileCommands::mRF_Click(int index)
{
    if (index < 0 || index >= RecentFiles::Size)
        return false;
    const RecentFiles::Item item = m_q.recentFiles().items()[index];
    if (!item.visible)
        return false;
    return open(item.caption);
}

bool QuotationFileCommands::mSaveF_Click()
{
    const ScopedVrnSaveNames names;
    return m_q.mSaveF_Click();
}

bool QuotationFileCommands::mSaveAs_Click()
{
    const ScopedVrnSaveNames names;
    return m_q.mSaveAs_Click();
}

QString QuotationFileCommands::caption() const
{
    return m_q.windowCaption();
}

void QuotationFileCommands::refreshCaption()
{
    if (m_window)
        m_window->setWindowTitle(m_q.windowCaption());
}

void QuotationFileCommands::refreshRecentMenu()
{
    const auto& items = m_q.recentFiles().items();
    for (int i = 0; i < RecentFiles::Size; ++i) {
        QAction* action = m_mRF[i];
        if (!action)
            continue;
        // A "&" in a path is no shortcut mark.
        action->setText(QString(items[i].caption).replace(u'&', QStringLiteral("&&")));
        action->setVisible(items[i].visible);
    }
}

} // namespace varn
