#include "app/data_file_names.h"

#include <QDir>
#include <QFileInfo>

namespace torbex::app {

QString withCsvExtension(const QString& path) {
    const qsizetype nameStart = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/')) + 1;
    const qsizetype dot = path.indexOf(u'.', nameStart);
    return (dot < 0 ? path : path.left(dot)) + QStringLiteral(".csv");
}

QString folderOf(const QString& path) { return QDir::toNativeSeparators(QFileInfo(path).absolutePath()); }

}  // namespace torbex::app
