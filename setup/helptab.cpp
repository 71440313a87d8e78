#include "helptab.h"

#include "controls.h"

#include <QLabel>
#include <QVBoxLayout>

namespace skyraid {

namespace {

struct Question {
    const char* questionName;
    const char* question;
    const char* answerName;
    const char* answer;
};

// clang-format off
const Question Questions[] = {
    {"backgroundQuestionLabel", "How do I load a custom background?",
     "backgroundAnswerLabel",
     "The first thing you need is a background.  The size needs to be 800x600 pixels to fill "
     "the entire screen.  The file can be anywhere on your hard drive.  Simply click the "
     "BACKGROUND tab and the CUSTOM option button and click the SELECT BACKGROUND button."},
    {"logoQuestionLabel", "How do I load a custom logo?",
     "logoAnswerLabel",
     "The first thing you need is a logo.  It can be any size, but a smaller picture looks "
     "better.  The file can be anywhere on your hard drive.  Simply click the LOGO/MESSAGE tab "
     "and click the SELECT LOGO button."},
    {"fontsQuestionLabel", "Why is it slow loading the settings screen?",
     "fontsAnswerLabel",
     "Some machines are faster than others, but the reason for the slow down is directly "
     "related to the number of fonts you have installed on your system.  The more the fonts "
     "the slower it is to load."},
};
// clang-format on

} // namespace

HelpTab::HelpTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("helpTab"));
    QFont helpFont(QStringLiteral("Arial"));
    helpFont.setPointSizeF(8.25);

    auto* layout = new QVBoxLayout(this);
    for (const Question& entry : Questions) {
        auto* question = controls::label(QString::fromUtf8(entry.question),
                                         QString::fromLatin1(entry.questionName), this);
        auto* answer = controls::label(QString::fromUtf8(entry.answer),
                                       QString::fromLatin1(entry.answerName), this);
        for (QLabel* text : {question, answer}) {
            text->setFont(helpFont);
            text->setWordWrap(true);
            text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        layout->addWidget(question);
        layout->addWidget(answer);
        layout->addSpacing(QFontMetrics(helpFont).height());
    }
    layout->addStretch(1);
}

} // namespace skyraid
