#include "app/operator_texts.h"

#include <QStringList>
#include "data/ui_text.h"

namespace torbex::app::texts {
namespace {

constexpr std::size_t kLinesListed = 10;

QString faultText(data::LineFault fault) {
    switch (fault) {
        case data::LineFault::Heading: return Texts::tr("見出し行がデータファイルのものではありません");
        case data::LineFault::Columns: return Texts::tr("項目の数が10ではありません");
        case data::LineFault::Rfid: return Texts::tr("RFIDが16桁の16進数ではありません");
        case data::LineFault::ManagementNumber: return Texts::tr("管理番号に使用できない文字・桁数です");
        case data::LineFault::Date: return Texts::tr("測定日の形式が正しくありません");
        case data::LineFault::Time: return Texts::tr("測定時刻の形式が正しくありません");
        case data::LineFault::FlowSetting: return Texts::tr("流量設定が正しくありません");
        case data::LineFault::FlowResult: return Texts::tr("流量測定結果が正しくありません");
        case data::LineFault::FlowVerdict: return Texts::tr("流量測定判定が正しくありません");
        case data::LineFault::Level: return Texts::tr("閉塞設定が正しくありません");
        case data::LineFault::OcclusionResult: return Texts::tr("閉塞測定結果が正しくありません");
        case data::LineFault::OcclusionVerdict: return Texts::tr("閉塞測定判定が正しくありません");
    }
    return {};
}

}  // namespace

QString numbersNotLearnt(const std::vector<data::LineProblem>& skipped) {
    if (!skipped.empty() && skipped.front().fault == data::LineFault::Heading)
        return Texts::tr("見出し行がデータファイルのものではないため、管理番号を登録しませんでした。");
    QStringList lines{Texts::tr("次の行は形式が正しくないため、管理番号を登録しませんでした。")};
    for (std::size_t i = 0; i < skipped.size() && i < kLinesListed; ++i)
        lines.append(Texts::tr("%1行目：%2").arg(skipped[i].line).arg(faultText(skipped[i].fault)));
    if (skipped.size() > kLinesListed) lines.append(Texts::tr("ほか%1行").arg(skipped.size() - kLinesListed));
    return lines.join(u'\n');
}

}  // namespace torbex::app::texts
