#pragma once

#include "records/RecordsTestSupport.h"
#include "records/RegisterEngine.h"
#include "records/widgets/RegisterWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>

namespace varn::test {

// A register fixture for the register windows: each opened from the menu as the active
// window; whatever is still open goes at the end without a question.
template <typename Base = RegisterFixture> class WindowFixture : public Base {
protected:
    void TearDown() override
    {
        // Closing one window deletes its popups, which are top-level widgets too.
        QList<QPointer<RegisterWindow>> open;
        for (QWidget* top : QApplication::topLevelWidgets())
            open << qobject_cast<RegisterWindow*>(top);
        for (const QPointer<RegisterWindow>& w : open) {
            if (w) {
                w->engine().cancel();
                w->close();
                delete w.data();
            }
        }
        QApplication::processEvents();
        Base::TearDown();
    }

    template <typename T = QLineEdit> static T* child(QWidget* w, const char* name)
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }

    template <typename Window> Window* open(void (*show)(QWidget*))
    {
        show(nullptr);
        Window* w = Window::existing();
        if (w) {
            QApplication::setActiveWindow(w);
            QApplication::processEvents();
        }
        this->prompts.clear();
        return w;
    }
};

} // namespace varn::test
