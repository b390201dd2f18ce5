#include "app/operator_texts.h"

#include <QStringList>

namespace torbex::app::texts {
namespace {

constexpr std::size_t kLinesListed = 10;

QString faultText(data::LineFault fault) {
    switch (fault) {
        case data::LineFault::Heading: return QStringLiteral("見出し行がデータファイルのものではありません");
        case data::LineFault::Columns: return QStringLiteral("項目の数が10ではありません");
        case data::LineFault::Rfid: return QStringLiteral("RFIDが16桁の16進数ではありません");
        case data::LineFault::ManagementNumber: return QStringLiteral("管理番号に使用できない文字・桁数です");
        case data::LineFault::Date: return QStringLiteral("測定日の形式が正しくありません");
        case data::LineFault::Time: return QStringLiteral("測定時刻の形式が正しくありません");
        case data::LineFault::FlowSetting: return QStringLiteral("流量設定が正しくありません");
        case data::LineFault::FlowResult: return QStringLiteral("流量測定結果が正しくありません");
        case data::LineFault::FlowVerdict: return QStringLiteral("流量測定判定が正しくありません");
        case data::LineFault::Level: return QStringLiteral("閉塞設定が正しくありません");
        case data::LineFault::OcclusionResult: return QStringLiteral("閉塞測定結果が正しくありません");
        case data::LineFault::OcclusionVerdict: return QStringLiteral("閉塞測定判定が正しくありません");
    }
    return {};
}

}  // namespace

QString numbersNotLearnt(const std::vector<data::LineProblem>& skipped) {
    if (!skipped.empty() && skipped.front().fault == data::LineFault::Heading)
        return QStringLiteral("見出し行がデータファイルのものではないため、管理番号を登録しませんでした。");
    QStringList lines{QStringLiteral("次の行は形式が正しくないため、管理番号を登録しませんでした。")};
    for (std::size_t i = 0; i < skipped.size() && i < kLinesListed; ++i)
        lines.append(QStringLiteral("%1行目：%2").arg(skipped[i].line).arg(faultText(skipped[i].fault)));
    if (skipped.size() > kLinesListed) lines.append(QStringLiteral("ほか%1行").arg(skipped.size() - kLinesListed));
    return lines.join(u'\n');
}

}  // namespace torbex::app::texts
