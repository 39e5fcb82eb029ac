// The picture preview with the keyboard alone: Tab goes from the picture to "Schließen", and
// Return and Escape close the window as that button does.
#include <gtest/gtest.h>

#include <QImage>

#include "platform/vcl/testhooks.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/imgpreview.h"

TEST(PicturePreviewKeys, TabReachesCloseAndReturnOrEscapeClose)
{
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        TimgPreview preview;
        QImage picture(900, 700, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        preview.SetPicture(picture);
        bool walked = false;
        ScriptedAnswers::onShowModal<TimgPreview>([&walked, key](TimgPreview& p) {
            EXPECT_EQ(KeyboardWalkProblem(&p, {p.ScrollBox1, p.Button1}), "");
            FocusWindowAt(&p, p.ScrollBox1);
            PressKey(key);
            walked = true;
        });
        EXPECT_EQ(preview.ShowModal(), mrCancel) << key;
        EXPECT_TRUE(walked);
    }
}
