#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

#include "platform/QtConv.h"

namespace vx {

namespace {

struct Substitute {
    const char* face;
    const char* with;
};

constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans"},         {"Helvetica", "Liberation Sans"},
    {"MS Sans Serif", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},        {"MS Serif", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},   {"Courier", "Liberation Mono"},
};

}  // namespace

void InstallFontSubstitutions() {
    static const bool done = [] {
        for (const Substitute& s : kSubstitutes)
            QFont::insertSubstitution(QString::fromLatin1(s.face), QString::fromLatin1(s.with));
        return true;
    }();
    (void)done;
}

std::string SubstituteFace(const std::string& face) {
    for (const Substitute& s : kSubstitutes)
        if (QString::fromStdString(face).compare(QLatin1String(s.face), Qt::CaseInsensitive) == 0)
            return s.with;
    return face;
}

bool IsScalableFont(const LOGFONT& lf) {
    // Font information needs the GUI application's font database.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return true;
    const QFontInfo info(ToQFont(lf));
    return QFontDatabase::isScalable(info.family(), info.styleName());
}

}  // namespace vx
