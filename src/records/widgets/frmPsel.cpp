#include "records/widgets/frmPsel.h"

#include "records/ListPrinting.h"
#include "records/MailLabels.h"
#include "records/widgets/frmPrt.h"
#include "shared/ProgramState.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varn {

frmPsel::frmPsel(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPsel"));
    setModal(true);
    auto* root = new QVBoxLayout(this);
    auto* options = new QHBoxLayout;
    const char* captions[] = {"列印標籤", "列印報表"};
    for (int i = 0; i < 2; ++i) {
        oPsel[i] = new QRadioButton(QString::fromUtf8(captions[i]), this);
        oPsel[i]->setObjectName(QStringLiteral("oPsel%1").arg(i));
        options->addWidget(oPsel[i]);
    }
    oPsel[0]->setChecked(true);
    root->addLayout(options);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdNext = new QPushButton(QStringLiteral("下一步"), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    cmdNext->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(cmdNext);
    buttons->addWidget(cmdCancel);
    root->addLayout(buttons);

    connect(cmdNext, &QPushButton::clicked, this, &frmPsel::cmdNext_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPsel::cmdCancel_Click);
}

void frmPsel::cmdNext_Click()
{
    if (oPsel[1]->isChecked()) {
        frmPrt columns(this);
        if (columns.load(state().m.gPrintKind))
            columns.exec();
    } else {
        PrintMailLabels();
    }
    accept();
}

void frmPsel::cmdCancel_Click()
{
    reject();
}

void ShowListPrinting(QWidget* parent, int printKind)
{
    const PrintKindInfo* info = FindPrintKind(printKind);
    if (!info)
        return;
    state().m.gPrintKind = printKind;
    if (printKind == 3) {   // employees have no labels
        frmPrt columns(parent);
        if (columns.load(printKind))
            columns.exec();
        return;
    }
    frmPsel chooser(parent);
    chooser.setWindowTitle(info->caption);
    chooser.exec();
}

} // namespace varn
