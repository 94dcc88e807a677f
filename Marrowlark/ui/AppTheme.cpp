#include "ui/AppTheme.h"

#include "model/LanguageManager.h"
#include "ui/Palette.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace AppTheme {

QPalette palette()
{
    const QColor panel = Palette::panel();
    const QColor canvas = Palette::canvas();
    const QColor text = Palette::primaryText();
    const QColor muted = Palette::mutedText();
    const QColor line = Palette::line();
    const QColor accent = Palette::accent();
    // Buttons and alternate rows sit between the panel and the lines.
    const QColor raised = QColor::fromRgbF((panel.redF() + line.redF()) / 2,
        (panel.greenF() + line.greenF()) / 2, (panel.blueF() + line.blueF()) / 2);

    QPalette palette;
    palette.setColor(QPalette::Window, panel);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, canvas);
    palette.setColor(QPalette::AlternateBase, raised);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, raised);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, accent);
    palette.setColor(QPalette::Highlight, accent);
    palette.setColor(QPalette::HighlightedText, canvas);
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::LinkVisited, accent);
    palette.setColor(QPalette::ToolTipBase, panel);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, muted);
    palette.setColor(QPalette::Light, line.lighter(130));
    palette.setColor(QPalette::Midlight, line);
    palette.setColor(QPalette::Mid, line);
    palette.setColor(QPalette::Dark, line.darker(130));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, muted);
    return palette;
}

void follow()
{
    const auto apply = [] {
        QApplication::setPalette(palette());
        // Views that paint from the roles directly repaint too.
        for (QWidget *window : QApplication::topLevelWidgets())
            window->update();
    };
    QObject::connect(&LanguageManager::shared(), &LanguageManager::isDarkChanged, qApp, apply);
    apply();
}

} // namespace AppTheme
