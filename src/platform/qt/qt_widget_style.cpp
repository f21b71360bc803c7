#include "platform/qt/qt_widget_style.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <algorithm>

#include "platform/qt/qt_geometry.h"

namespace platform::qt {

QString to_qstring(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}

std::u16string from_qstring(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

void install_font_substitutions() {
    // The Windows faces of the design, mapped to installed look-alikes: a CJK sans for
    // the Chinese UI font, the metric-compatible Liberation Sans for Arial.
    QFont::insertSubstitutions(
        QStringLiteral("微软雅黑"),
        {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans CJK SC")});
}

namespace {

class grid_style : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
        const int base = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_DefaultFrameWidth || metric == PM_ScrollBarExtent)
            return base > 0 ? std::max(snapped(base), pixel_grid()) : base;
        return base;
    }
};

}  // namespace

void install_grid_style() {
    QApplication::setStyle(new grid_style(QStyleFactory::create(QApplication::style()->name())));
}

QFont to_qfont(const font_spec& f) {
    QFont font(to_qstring(f.face));
    font.setPointSize(f.points);
    font.setWeight(f.weight >= 700 ? QFont::Bold : QFont::Normal);
    return font;
}

void apply_style(QWidget* w, const control_design& design) {
    w->setObjectName(QString::fromStdString(design.name));
    if (!design.accessible_name.empty()) w->setAccessibleName(to_qstring(design.accessible_name));
    if (!design.accessible_description.empty()) w->setAccessibleDescription(to_qstring(design.accessible_description));
    if (design.font) w->setFont(to_qfont(*design.font));
    if (design.back_color || design.fore_color) {
        QPalette p = w->palette();
        if (design.back_color) {
            const QColor c(design.back_color->red, design.back_color->green, design.back_color->blue);
            p.setColor(QPalette::Base, c);
            p.setColor(QPalette::Window, c);
        }
        if (design.fore_color) {
            const QColor c(design.fore_color->red, design.fore_color->green, design.fore_color->blue);
            p.setColor(QPalette::Text, c);
            p.setColor(QPalette::WindowText, c);
        }
        w->setPalette(p);
    }
}

}  // namespace platform::qt
