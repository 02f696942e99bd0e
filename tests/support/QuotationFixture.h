#pragma once

// A quotation in a program folder of its own, as the outputs of a quotation (the workbook
// prints, the statistics and the reports) need it.

#include "platform/db/Database.h"
#include "platform/report/ReportTestSupport.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"
#include "shared/setup/XpDefaults.h"
#include "support/QuotationContent.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace varn::test {

// A signed-in superuser with a program folder holding sta.mdb and the main database's
// company row, a scripted prompter and a quotation.
class QuotationFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        state().programFolder = dir.path();
        state().m.gRights = 4095;
        Prompter::install(&prompts);
        sta = Database::create(dir.filePath(QStringLiteral("sta.mdb")), {}, StaSchemaSql());
        std::shared_ptr<Database> main
            = Database::create(dir.filePath(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
        main->execute(QStringLiteral("INSERT INTO company VALUES (?, ?, ?, ?, ?, ?)"),
                      {QStringLiteral("瓦恩室內裝修"), QStringLiteral("台北市中山路2號"), QStringLiteral("02-1234567"),
                       QStringLiteral("02-7654321"), QStringLiteral("12345678"), QStringLiteral("varn@example.com")});
        state().m.gDb = main;
        doc = std::make_unique<Quotation>();
    }
    void TearDown() override
    {
        doc.reset();
        Prompter::install(nullptr);
        ProgramState::reset();
    }

    void load(const VrnContent& c) { doc->load(c, dir.filePath(QStringLiteral("x.vrn"))); }

    // Workbook prints from the built templates with the default print ranges, opened in a
    // spreadsheet program that does nothing.
    void preparePrints()
    {
        state().m.gPrintPath = QStringLiteral(VARN_BINARY_DIR "/templates");
        const QStringList xp = DefaultXpValues();
        for (int i = 0; i < 32; ++i)
            state().m.gXp[size_t(i)] = xp.value(i);
        qputenv("VARN_SPREADSHEET", "/bin/true");
        doc->setRightsWord(4095);
    }

    QTemporaryDir dir;
    ScriptedPrompter prompts;
    std::unique_ptr<Database> sta;
    std::unique_ptr<Quotation> doc;
};

} // namespace varn::test
