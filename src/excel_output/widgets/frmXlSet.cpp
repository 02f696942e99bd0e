#include "excel_output/widgets/frmXlSet.h"

#include "excel_output/XlSettings.h"
#include "platform/ui/Prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn {

namespace {

const char* const kFrames[] = {"表頭範圍", "變數範圍", "輸出範圍", "頁尾範圍"};

} // namespace

frmXlSet::frmXlSet(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmXlSet"));
    setWindowTitle(QStringLiteral("列印設定"));
    auto* layout = new QVBoxLayout(this);
    int box = 0;
    for (const char* group : {"首頁設定", "明細設定"}) {
        layout->addWidget(new QLabel(QString::fromUtf8(group), this));
        auto* row = new QHBoxLayout;
        for (const char* frameName : kFrames) {
            auto* frame = new QGroupBox(QString::fromUtf8(frameName), this);
            auto* g = new QGridLayout(frame);
            g->addWidget(new QLabel(QStringLiteral("行"), frame), 0, 1, Qt::AlignCenter);
            g->addWidget(new QLabel(QStringLiteral("列"), frame), 0, 2, Qt::AlignCenter);
            g->addWidget(new QLabel(QStringLiteral("左上:"), frame), 1, 0);
            g->addWidget(new QLabel(QStringLiteral("右下:"), frame), 2, 0);
            for (int k = 0; k < 4; ++k) {
                auto* edit = new QLineEdit(frame);
                edit->setObjectName(QStringLiteral("t%1").arg(box + 1));
                edit->setMaximumWidth(60);
                g->addWidget(edit, 1 + k / 2, 1 + k % 2);
                m_t[size_t(box++)] = edit;
            }
            row->addWidget(frame);
        }
        layout->addLayout(row);
    }
    auto* buttons = new QHBoxLayout;
    m_ckf = new QCheckBox(QStringLiteral("固定表頭"), this);
    m_ckf->setObjectName(QStringLiteral("ckf"));
    m_command1 = new QPushButton(QStringLiteral("套用"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command2 = new QPushButton(QStringLiteral("離開"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    buttons->addWidget(m_ckf);
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    layout->addLayout(buttons);
    connect(m_command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Form_Load();
}

void frmXlSet::Form_Load()
{
    const XlSettingsValues values = LoadXlSettingsValues();
    for (int i = 0; i < 32; ++i)
        m_t[size_t(i)]->setText(values.xp[size_t(i)]);
    m_ckf->setChecked(values.fixedHeader);
}

void frmXlSet::Command1_Click()
{
    XlSettingsValues values;
    for (int i = 0; i < 32; ++i)
        values.xp[size_t(i)] = m_t[size_t(i)]->text();
    values.fixedHeader = m_ckf->isChecked();
    const QString problem = ApplyXlSettings(values);
    if (!problem.isEmpty())
        prompter().inform(problem, PromptIcon::Critical);
}

void frmXlSet::Command2_Click()
{
    reject();
}

} // namespace varn
