// SPDX-License-Identifier: MIT
#include "ui/dialogs/form5.h"

#include "ui/common/look.h"
#include "ui/common/picture_link.h"
#include "ui/common/program_version.h"
#include "ui/common/twips.h"
#include "ui/dialogs/read_only_text.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStringList>

namespace lumora::ui {

namespace {

// One framed section: a captioned frame placed from the client area's corner
// and its text box placed from the frame's corner, all in twips.
struct Section {
    const char* frameName;
    const char* caption;
    QRect frame;
    const char* boxName;
    QRect box;
    const char* textFile; // under ":/lumora/texts/"
    bool singleLine;
    bool scrollBar;
    qreal points; // text box font size
};

const Section Sections[] = {
    {"Frame1", "Summary", {234, 117, 9607, 832}, "Text1", {234, 234, 9139, 481}, "summary.txt", false, false, 9.09},
    {"Frame2", "Credits", {234, 1053, 9607, 1534}, "Text2", {234, 351, 9139, 949}, "credits.txt", false, false, 9.09},
    {"Frame3",
     "Beta Testers",
     {234, 2691, 9607, 715},
     "Text3",
     {234, 234, 9139, 364},
     "beta_testers.txt",
     true,
     false,
     9.09},
    {"Frame4",
     "Version History",
     {234, 3510, 4810, 2236},
     "Text4",
     {234, 351, 4342, 1768},
     "version_history.txt",
     false,
     true,
     7.69},
    {"Frame6",
     "Contact Information",
     {5148, 3510, 4693, 2236},
     "Text6",
     {234, 351, 4342, 1768},
     "contact.txt",
     false,
     false,
     9.09},
    {"Frame5", "Support", {234, 5850, 9607, 1768}, "Text5", {234, 351, 9139, 1183}, "support.txt", false, false, 9.09},
};

// Adds one section and returns its text box.
QWidget* AddSection(QWidget* window, const Section& section)
{
    auto* frame = new QGroupBox(QString::fromLatin1(section.caption), window);
    frame->setObjectName(QString::fromLatin1(section.frameName));
    frame->setFont(ClassicFont(Arial, 9.09));
    PlaceInTwips(frame, section.frame);

    const QString name = QString::fromLatin1(section.boxName);
    const QString text = FixedText(QString::fromLatin1(section.textFile));
    const QFont font = ClassicFont(Arial, section.points);
    QWidget* box = section.singleLine
                       ? static_cast<QWidget*>(NewReadOnlyLine(frame, name, text, font))
                       : NewReadOnlyText(frame, name, text, font,
                                         section.scrollBar ? VerticalScrollBar::Always : VerticalScrollBar::None);
    PlaceInTwips(box, section.box);
    return box;
}

// The logo in one bitmap per scale (100 %, 200 %, 300 %), rendered from its
// drawing, so that it is never scaled up.
QIcon Logo()
{
    QIcon logo;
    for (const char* file : {"logo.png", "logo@2x.png", "logo@3x.png"})
        logo.addFile(QStringLiteral(":/lumora/") + QLatin1String(file));
    return logo;
}

} // namespace

Form5::Form5()
    : SecondaryWindow(QString::fromLatin1(ObjectName), QStringLiteral("About"), 10101, 8307, Frame::Fixed,
                      QAccessible::Dialog)
{
    setAccessibleDescription(QStringLiteral("Lumora ") + ProgramVersion());
    QWidget* versionHistory = nullptr;
    for (const Section& section : Sections) {
        QWidget* box = AddSection(this, section);
        if (section.scrollBar)
            versionHistory = box;
    }

    // The logo is shown at its own size, 62 x 31, so the control takes the
    // picture's size at the layout's corner rather than the layout's rounded
    // twip size.
    auto* logo = new PictureLink(Logo(), QSize(62, 31), this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->move(TwipRect(585, 7839, 806, 403).topLeft());
    logo->setAccessibleName(QStringLiteral("Lumora web page"));
    connect(logo, &PictureLink::clicked, this, &Form5::Image1_Click);

    AddDismissButton(QStringLiteral("Close"), {4212, 7839, 1768, 364}, ClassicFont(MsSansSerif, 9.09), true);
    ScrollWithKeys(qobject_cast<QPlainTextEdit*>(versionHistory)); // readable to the end with the focus on "Close"
}

QString Form5::TextInView() const
{
    QStringList said;
    for (const Section& section : Sections) {
        const QWidget* box = findChild<QWidget*>(QString::fromLatin1(section.boxName));
        QString text;
        if (const auto* lines = qobject_cast<const QPlainTextEdit*>(box))
            text = section.scrollBar ? TextInViewOf(lines) : lines->toPlainText().simplified();
        else if (const auto* line = qobject_cast<const QLineEdit*>(box))
            text = line->text().simplified();
        said << QString::fromLatin1(section.caption) + QStringLiteral(": ") + text;
    }
    return said.join(QLatin1Char(' '));
}

QUrl Form5::WebPage() { return QUrl(QStringLiteral("https://www.example.org/lumora/")); }

void Form5::Image1_Click()
{
    if (QDesktopServices::openUrl(WebPage()))
        return;
    // One notice at a time; it never blocks this or any other window.
    if (!m_linkFailure) {
        m_linkFailure = new QMessageBox(
            QMessageBox::Warning, QStringLiteral("About"),
            QStringLiteral("The web page %1 could not be opened.").arg(WebPage().toString()), QMessageBox::Ok, this);
        m_linkFailure->setObjectName(QStringLiteral("LinkFailure"));
        m_linkFailure->setWindowModality(Qt::NonModal);
        m_linkFailure->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_linkFailure->show();
    m_linkFailure->raise();
}

} // namespace lumora::ui
