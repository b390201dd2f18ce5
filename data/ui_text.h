#pragma once

#include <QCoreApplication>
#include <QString>
#include <utility>

namespace torbex {

// A text an operator reads. It is written in the program's own Japanese and read out in the
// interface's language when it is shown, so a translator installed at start-up takes effect even
// for texts defined before it. Mark each with QT_TRANSLATE_NOOP("Texts", ...) so lupdate finds it.
struct UiText {
    const char* source;
    const char* disambiguation = nullptr;  // QT_TRANSLATE_NOOP3's, for one source read two ways
    QString text() const { return QCoreApplication::translate("Texts", source, disambiguation); }
    operator QString() const { return text(); }  // NOLINT: reads like the QString it stands for
    template <typename... Args>
    QString arg(Args&&... args) const {
        return text().arg(std::forward<Args>(args)...);
    }
};

// Texts built in code: Texts::tr("...") shares the context of the marked ones.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Texts)
};

}  // namespace torbex
