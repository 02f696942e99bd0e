#pragma once

#include "quotation/QuotationAutosave.h"

#include <QObject>
#include <QString>

#include <array>

class QAction;
class QWidget;

namespace varn {

class Quotation;

// The quotation window's file commands: 開啟舊檔, 儲存檔案, 另存新檔, the five recent files of
// the File menu with Of.ini, the window caption, and the autosave timer. The quotation does
// the reading and writing; this class puts it on the window's actions and keeps the caption
// and the menu in step with it.
class QuotationFileCommands : public QObject {
    Q_OBJECT
public:
    QuotationFileCommands(Quotation& q, QWidget* window,
                          AutosaveSchedule::Clock clock = {});

    // The window's actions; any may be null. The recent-file actions are shown and named
    // by the list; their own texts and visibility are set here.
    void bindActions(QAction* mOpen, QAction* mSaveF, QAction* mSaveAs,
                     const std::array<QAction*, 5>& mRF);

    // Window load: the recent list from Of.ini, the caption, the autosave timer (when on).
    void formLoad(const QString& ofIniPath = {});
    // Window close, once the close goes ahead: Of.ini is written, the timer stops.
    void formClosed();
    // The close question (Form_Unload): false keeps the window open as it was.
    bool queryClose();

    bool mOpen_Click();
    bool mRF_Click(int index);
    bool mSaveF_Click();
    bool mSaveAs_Click();

    // The caption the window shows and the recent items as the menu shows them.
    QString caption() const;
    QuotationAutosave& autosave() { return m_autosave; }
    QString ofIniPath() const { return m_ofIni; }

signals:
    // A file was opened into the window (the header, tree and page end were replaced).
    void opened(const QString& path);

private:
    bool open(const std::optional<QString>& recentPath);
    void refreshCaption();
    void refreshRecentMenu();

    Quotation& m_q;
    QWidget* m_window;
    QuotationAutosave m_autosave;
    std::array<QAction*, 5> m_mRF{};
    QString m_ofIni;
};

} // namespace varn
