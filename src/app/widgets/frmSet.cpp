#include "app/widgets/frmSet.h"

#include "app/RightsGrid.h"
#include "platform/grid/widgets/GridView.h"
#include "platform/ui/Twips.h"
#include "platform/ui/widgets/PasswordBox.h"
#include "shared/ProgramState.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varn {

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLineEdit* box(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

} // namespace

frmSet::frmSet(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_grid(2, RightsGrid::Cols)
{
    setObjectName(QStringLiteral("frmSet"));
    setWindowTitle(QStringLiteral("系統設定"));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SSTab"));
    m_tabs->addTab(buildRightsTab(), QStringLiteral("使用者權限"));
    m_tabs->addTab(buildSettingsTab(), QStringLiteral("SuperUserPWD，公司資料， 路徑"));

    auto* leave = button(QStringLiteral("離開"), "Command1", this);
    connect(leave, &QPushButton::clicked, this, &frmSet::Command1_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(leave);
    layout->addLayout(bottom);

    // Form_Load: the rights grid, then the company, the folders and autosave.
    if (m_settings.load(m_grid)) {
        for (int i = 0; i < m_company.size(); ++i)
            m_company[i]->setText(m_settings.company().fields[i]);
    }
    fitRightsGrid();
    const auto& m = state().m;
    m_mdbPath->setText(m.gMdbPath);
    m_printPath->setText(m.gPrintPath);
    m_filePath->setText(m.gFilePath);
    m_autoSave->setChecked(m.gAutoSave);
    m_autoSaveMin->setText(QString::number(m.gAutoSaveMin));
    setPasswordBoxesEnabled(false);

    resize(TwipsToPixels(11400), TwipsToPixels(7200));
}

QWidget* frmSet::buildRightsTab()
{
    auto* page = new QWidget;
    m_view = new GridView(page);
    m_view->setObjectName(QStringLiteral("hfgSec"));
    m_view->setGridModel(&m_grid);
    connect(m_view, &GridView::cellClicked, this, &frmSet::hfgSec_Click);
    auto* apply = button(QStringLiteral("套用"), "Command2", page);
    connect(apply, &QPushButton::clicked, this, &frmSet::Command2_Click);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_view);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(apply);
    layout->addLayout(row);
    return page;
}

QWidget* frmSet::buildSettingsTab()
{
    auto* page = new QWidget;

    // SuperUser 密碼
    auto* pwd = new QGroupBox(QStringLiteral("SuperUser 密碼："), page);
    m_old = box("opstxt", pwd);
    m_new = box("npstxt", pwd);
    m_confirm = box("cpstxt", pwd);
    for (QLineEdit* e : {m_old, m_new, m_confirm})
        MakePasswordBox(e);
    m_change = button(QStringLiteral("變更"), "cmdCp", pwd);
    auto* pwdForm = new QFormLayout(pwd);
    pwdForm->addRow(QStringLiteral("原始密碼:"), m_old);
    pwdForm->addRow(QStringLiteral("新  密 碼:"), m_new);
    pwdForm->addRow(QStringLiteral("確定密碼:"), m_confirm);
    pwdForm->addRow(QString(), m_change);
    connect(m_old, &QLineEdit::textChanged, this, &frmSet::opstxt_Change);
    connect(m_change, &QPushButton::clicked, this, &frmSet::cmdCp_Click);

    // 公司基本資料
    auto* co = new QGroupBox(QStringLiteral("公司基本資料："), page);
    auto* coForm = new QFormLayout(co);
    const char* names[] = {"txtCo_name", "txtCo_add", "txtCo_tel", "txtCo_fax", "txtCo_no", "txtCo_email"};
    const QString labels[] = {QStringLiteral("名稱:"), QStringLiteral("地址:"), QStringLiteral("電話:"),
                              QStringLiteral("傳真:"), QStringLiteral("統編:"), QStringLiteral("E-MAIL:")};
    for (int i = 0; i < 6; ++i) {
        m_company << box(names[i], co);
        coForm->addRow(labels[i], m_company.back());
    }
    auto* coApply = button(QStringLiteral("套用"), "Command3", co);
    coForm->addRow(QString(), coApply);
    connect(coApply, &QPushButton::clicked, this, &frmSet::Command3_Click);

    // 路徑
    auto* paths = new QGroupBox(QStringLiteral("路徑："), page);
    m_mdbPath = box("txtMdbPath", paths);
    m_printPath = box("txtPrpath", paths);
    m_filePath = box("txtFlpath", paths);
    auto* browse = button(QStringLiteral("....."), "cmdExp", paths);
    auto* pathsApply = button(QStringLiteral("套用"), "Command4", paths);
    auto* pathsGrid = new QGridLayout(paths);
    pathsGrid->addWidget(new QLabel(QStringLiteral("資料庫 路徑:"), paths), 0, 0);
    pathsGrid->addWidget(m_mdbPath, 0, 1);
    pathsGrid->addWidget(browse, 0, 2);
    pathsGrid->addWidget(new QLabel(QStringLiteral("列印套表路徑:"), paths), 1, 0);
    pathsGrid->addWidget(m_printPath, 1, 1, 1, 2);
    pathsGrid->addWidget(new QLabel(QStringLiteral("開存檔 路徑:"), paths), 2, 0);
    pathsGrid->addWidget(m_filePath, 2, 1, 1, 2);
    pathsGrid->addWidget(pathsApply, 3, 2);
    connect(browse, &QPushButton::clicked, this, &frmSet::cmdExp_Click);
    connect(pathsApply, &QPushButton::clicked, this, &frmSet::Command4_Click);

    // 自動存檔
    auto* auto_ = new QGroupBox(QStringLiteral("自動存檔："), page);
    m_autoSave = new QCheckBox(QStringLiteral("自動存檔"), auto_);
    m_autoSave->setObjectName(QStringLiteral("ckAutosv"));
    m_autoSaveMin = box("txtAutosv", auto_);
    // Digits only, typed or pasted.
    m_autoSaveMin->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_autoSaveMin));
    m_autoSaveMin->installEventFilter(this);
    m_autoSaveMin->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    auto* autoApply = button(QStringLiteral("套用"), "Command5", auto_);
    auto* autoRow = new QHBoxLayout(auto_);
    autoRow->addWidget(m_autoSave);
    autoRow->addWidget(m_autoSaveMin);
    autoRow->addWidget(new QLabel(QStringLiteral("分鐘存檔一次"), auto_));
    autoRow->addStretch();
    autoRow->addWidget(autoApply);
    connect(autoApply, &QPushButton::clicked, this, &frmSet::Command5_Click);

    auto* grid = new QGridLayout(page);
    grid->addWidget(pwd, 0, 0);
    grid->addWidget(co, 0, 1, 2, 1);
    grid->addWidget(paths, 2, 0, 1, 2);
    grid->addWidget(auto_, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    return page;
}

void frmSet::fitRightsGrid()
{
    // The widths in twips suit the original's font; ours may be wider.
    const double dpi = m_view->logicalDpiX();
    RightsGrid::fitToTexts(m_grid, [this, dpi](const QString& text, bool bold) {
        QFont f = m_view->font();
        f.setBold(bold);
        return PixelsToTwips(QFontMetrics(f).horizontalAdvance(text), dpi);
    });
    // Every column in sight: the window widens to the grid rather than cut 系統設定 off.
    int width = 2 * m_view->frameWidth() + m_view->verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < m_grid.cols(); ++col)
        width += TwipsToPixels(m_grid.colWidth(col), dpi);
    m_view->setMinimumWidth(width);
}

void frmSet::setPasswordBoxesEnabled(bool on)
{
    m_new->setEnabled(on);
    m_confirm->setEnabled(on);
    m_change->setEnabled(on);
}

void frmSet::Command1_Click()
{
    close();
}

void frmSet::Command2_Click()
{
    m_settings.applyRights(m_grid);
}

void frmSet::opstxt_Change()
{
    // The old password is checked at 變更; typing it only unlocks the boxes.
    setPasswordBoxesEnabled(!m_old->text().isEmpty());
}

void frmSet::cmdCp_Click()
{
    const PasswordChange result =
        m_settings.changeSuperPassword(m_old->text(), m_new->text(), m_confirm->text());
    switch (result) {
    case PasswordChange::Mismatch:
        m_new->clear();
        m_confirm->clear();
        m_new->setFocus();
        break;
    case PasswordChange::Changed:
        // The new password is in force: the boxes start over from it.
        m_new->clear();
        m_confirm->clear();
        m_old->clear();
        break;
    case PasswordChange::WrongOld:
        m_old->setFocus();
        m_old->selectAll();
        break;
    case PasswordChange::NoSuperuser:
    case PasswordChange::Failed:
        break;
    }
}

void frmSet::Command3_Click()
{
    CompanyRecord record;
    for (int i = 0; i < m_company.size(); ++i)
        record.fields[i] = m_company[i]->text();
    m_settings.applyCompany(record);
}

void frmSet::cmdExp_Click()
{
    if (const auto folder = m_settings.browseDatabaseFolder()) {
        m_mdbPath->setText(*folder);
        m_printPath->setText(*folder);
        m_filePath->setText(*folder);
    }
}

void frmSet::Command4_Click()
{
    m_settings.applyPaths(m_mdbPath->text(), m_printPath->text(), m_filePath->text());
}

void frmSet::Command5_Click()
{
    m_settings.applyAutoSave(m_autoSave->isChecked(), m_autoSaveMin->text());
}

void frmSet::hfgSec_Click(int row, int col)
{
    RightsGrid::click(m_grid, row, col);
}

bool frmSet::eventFilter(QObject* watched, QEvent* event)
{
    // txtAutosv_KeyPress: digits and Backspace pass; any other typed character is dropped
    // with a beep.
    if (watched == m_autoSaveMin && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (key->key() != Qt::Key_Backspace && !text.isEmpty() && text.at(0).isPrint()
            && !IsAutoSaveIntervalKey(text.at(0))) {
            QApplication::beep();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace varn
