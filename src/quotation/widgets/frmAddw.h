#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace varn {

// 品名加入: the outcome of 品名加入施工資料庫, shown without blocking the quotation window.
// The count line sits at the top, the names that were already in the lexicon below it.
class frmAddw : public QDialog {
    Q_OBJECT
public:
    explicit frmAddw(QWidget* parent = nullptr);

    // One run of the command: the list and the count line show that run only.
    void showRun(const QStringList& skipped, int added);

    QListWidget* lstW() const { return m_lstW; }
    QLabel* lb2() const { return m_lb2; }
    QStringList listedNames() const;
    QString countText() const;

private:
    void Form_Load();

    QListWidget* m_lstW;
    QLabel* m_lb2;
    QLabel* m_label1;
    QPushButton* m_command1;
};

} // namespace varn
