// SPDX-License-Identifier: MIT
// Palette preview: starts the main window the way the program starts it, but
// on a desktop palette chosen here, so that screenshots can show how Lumora
// follows a dark or a high-contrast colour scheme. A developer tool for the
// pictures in docs/; the program itself takes no command line.
//
//   lumora_palette_preview dark|high-contrast
//
// The window shows the runtime calculator's everyday example and a resistor
// example, both calculated, with the focus in the first field.
#include "ui/common/application.h"
#include "ui/main/form1.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdio>
#include <cstring>

namespace {

// A dark desktop scheme: light text on dark grey, a blue highlight.
QPalette Dark()
{
    QPalette palette(QColor("#3c3c3c"), QColor("#353535"));
    palette.setColor(QPalette::WindowText, QColor("#e6e6e6"));
    palette.setColor(QPalette::ButtonText, QColor("#e6e6e6"));
    palette.setColor(QPalette::Text, QColor("#e6e6e6"));
    palette.setColor(QPalette::Base, QColor("#232323"));
    palette.setColor(QPalette::Highlight, QColor("#3d8ee6"));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, QColor("#7f7f7f"));
    return palette;
}

// A high-contrast scheme after the classic "High Contrast Black": white on
// black, white edges, a cyan highlight and green disabled text.
QPalette HighContrast()
{
    QPalette palette(Qt::white, Qt::black, Qt::white, QColor("#c0c0c0"), QColor("#808080"), Qt::white, Qt::black);
    palette.setColor(QPalette::Button, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Shadow, Qt::white);
    palette.setColor(QPalette::Highlight, QColor("#1aebff"));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, QColor("#3ff23f"));
    return palette;
}

void Type(lumora::ui::Form1* form, const char* field, const char* text)
{
    form->findChild<QLineEdit*>(QString::fromLatin1(field))->setText(QString::fromLatin1(text));
}

} // namespace

int main(int argc, char* argv[])
{
    const char* scheme = argc > 1 ? argv[1] : "";
    if (std::strcmp(scheme, "dark") != 0 && std::strcmp(scheme, "high-contrast") != 0) {
        std::fprintf(stderr, "usage: %s dark|high-contrast\n", argc > 0 ? argv[0] : "lumora_palette_preview");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setPalette(std::strcmp(scheme, "dark") == 0 ? Dark() : HighContrast()); // as a desktop would
    lumora::ui::PrepareApplication(app);

    auto* form = new lumora::ui::Form1;
    for (const auto& [field, text] : {std::pair{"Text1", "750"},
                                      {"Text2", "3.5"},
                                      {"Text3", "4.2"},
                                      {"Text4", "2000"},
                                      {"Text21", "20"},
                                      {"Text22", "3.5"},
                                      {"Text23", "9"},
                                      {"Text13", "2"}})
        Type(form, field, text);
    form->Command1_Click();
    form->Command13_Click();
    form->show();
    form->findChild<QLineEdit*>(QStringLiteral("Text1"))->setFocus();
    return app.exec();
}
