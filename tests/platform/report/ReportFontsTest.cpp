#include "ReportTestSupport.h"

#include "platform/report/ReportFonts.h"

#include <QFont>
#include <QPainterPath>
#include <QRawFont>

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;

namespace {

const QString kTaiwanese = QStringLiteral("Noto Sans CJK TC");

// The outline a family draws a character with.
QPainterPath outline(const QString& family, bool bold, QChar ch)
{
    QFont font(family);
    font.setBold(bold);
    font.setPixelSize(200);
    const QRawFont raw = QRawFont::fromFont(font);
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString(ch));
    return glyphs.size() == 1 && glyphs[0] != 0 ? raw.pathForGlyph(glyphs[0]) : QPainterPath();
}

} // namespace

// Characters whose Taiwanese form differs from both the Japanese and the simplified one.
TEST(ReportFontsTest, TheCopyDrawsTheTaiwaneseFormsOfItsFamilyInBothWeights)
{
    ensureGuiApp();
    const QString copy = ReportFontFamily(kTaiwanese);
    ASSERT_NE(copy, kTaiwanese);
    EXPECT_EQ(ReportFontFamily(kTaiwanese), copy);   // made once
    for (bool bold : {false, true}) {
        for (QChar ch : QStringLiteral("骨述起吳程食令")) {
            const QPainterPath drawn = outline(copy, bold, ch);
            ASSERT_FALSE(drawn.isEmpty()) << QString(ch).toStdString();
            EXPECT_EQ(drawn, outline(kTaiwanese, bold, ch)) << QString(ch).toStdString() << bold;
            EXPECT_NE(drawn, outline(QStringLiteral("Noto Sans CJK JP"), bold, ch)) << QString(ch).toStdString();
            EXPECT_NE(drawn, outline(QStringLiteral("Noto Sans CJK SC"), bold, ch)) << QString(ch).toStdString();
        }
    }
    // Only the twins are gone from the copy: a quotation that holds one gets it from
    // another font.
    EXPECT_TRUE(outline(copy, false, QChar(0x2F2F)).isEmpty());
    EXPECT_FALSE(outline(kTaiwanese, false, QChar(0x2F2F)).isEmpty());
}

TEST(ReportFontsTest, AFontWithoutRadicalTwinsOrOneNotInstalledIsUsedAsItIs)
{
    ensureGuiApp();
    for (const QString& family : {QStringLiteral("Carlito"), QStringLiteral("No Such Font 123")})
        EXPECT_EQ(ReportFontFamily(family), family) << family.toStdString();
}
