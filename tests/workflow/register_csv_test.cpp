// The register as a spreadsheet file: what is refused, by line, and what comes back.
#include <gtest/gtest.h>

#include "data/cp932.h"
#include "workflow/register_csv.h"

namespace torbex::workflow {
namespace {

using namespace Qt::Literals::StringLiterals;

QByteArray file(const QString& lines) { return (QLatin1String(kRegisterHeading) + u"\r\n"_s + lines).toUtf8(); }

QString problems(const QByteArray& bytes) {
    const auto read = readRegisterCsv(bytes);
    QStringList said;
    if (const auto* refused = std::get_if<RegisterProblems>(&read))
        for (const auto& [line, why] : refused->lines) said << QString::number(line) + u':' + why;
    return said.join(u'|');
}

TEST(RegisterCsv, BadLineTakenOrGoodLineRefused) {
    const QString good = u"0807060504030201,P-1,M1,X,S1,ICU,3F,,6,\r\n"_s;
    EXPECT_EQ(problems(file(good)), QString());
    EXPECT_EQ(problems("rfid,number\r\n" + file(good)), u"1:not the register's heading: "_s + QLatin1String(kRegisterHeading));
    EXPECT_EQ(problems(file(good + u"0807060504030202,=1+2,,,,,,,,\r\n"
                                   u"0807060504030203,P-3,,,,,,scrapped,,\r\n"
                                   u"0807060504030204,P-4,M1,X,,,,,6.5,\r\n"
                                   u"0807060504030201,P-5,,,,,,,,\r\n"
                                   u"08070605040302,P-6,,,,,,,,\r\n"
                                   u"0807060504030207,P-7,M1,X,,,,,12,\r\n"
                                   u"0807060504030208,P-8,,,\r\n"_s)),
              u"3:管理番号の先頭に「=」「+」「-」「@」は使用できません。|4:status must be in-service or retired|"
              u"5:the interval is whole months from 1 to 120|6:0807060504030201 stands on an earlier line too|"
              u"7:an RFID is 16 hexadecimal digits|8:line 2 gives this model another interval|9:5 cells, not 10"_s);
    EXPECT_EQ(problems(file(u"0807060504030201,\"P-1\r\n"_s)), u"0:a quote is left open"_s);
    // A last line without its line end, its last cell empty, is a pump all the same.
    const auto last = readRegisterCsv(file(good + u"0807060504030202,P-2,,,,,,,,"_s));
    ASSERT_TRUE(std::holds_alternative<RegisterFile>(last));
    EXPECT_EQ(std::get<RegisterFile>(last).pumps.size(), 2U);
}

// What a register file gives comes back from the file written of it, in UTF-8 with a byte-order
// mark or in code page 932, a cell holding separators and quotes included.
TEST(RegisterCsv, WrittenRegisterReadsBackOtherwise) {
    history::PumpSummary pump;
    pump.rfid = u"0807060504030201"_s;
    pump.managementNo = u"-001"_s;
    pump.details = {u"東和医科"_s, u"X"_s, u"=S1"_s, u"病棟"_s, u"3F, \"east\""_s, true, u"a, \"b\""_s};
    const QByteArray written = registerCsv({pump}, {{u"東和医科"_s, u"X"_s, 6}});
    ASSERT_TRUE(written.startsWith("\xEF\xBB\xBF"));
    for (const QByteArray& bytes : {written, *data::encodeCp932(QString::fromUtf8(written.mid(3)))}) {
        const auto read = readRegisterCsv(bytes);
        ASSERT_TRUE(std::holds_alternative<RegisterFile>(read)) << problems(bytes).toStdString();
        const RegisterFile& back = std::get<RegisterFile>(read);
        ASSERT_EQ(back.pumps.size(), 1U);
        EXPECT_EQ(std::tuple(back.pumps[0].rfid, back.pumps[0].managementNo, back.pumps[0].details),
                  std::tuple(pump.rfid, pump.managementNo, pump.details));
        ASSERT_EQ(back.intervals.size(), 1U);
        EXPECT_EQ(back.intervals[0].months, 6);
    }
}

}  // namespace
}  // namespace torbex::workflow
