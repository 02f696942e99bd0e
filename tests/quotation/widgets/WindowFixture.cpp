#include "WindowFixture.h"

#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

namespace varn::test {

QString path(std::initializer_list<const char*> names)
{
    QString p = Q;
    for (const char* n : names)
        p += Dot + QString::fromUtf8(n);
    return p;
}

void WindowTest::SetUp()
{
    ProgramState::reset();
    ASSERT_TRUE(m_dir.isValid());
    state().programFolder = m_dir.path();
    state().m.gRights = 4095;
    Prompter::install(&prompts);

    m_db = std::shared_ptr<Database>(
        Database::create(m_dir.filePath(QStringLiteral("varn3.mdb")), kDatabasePassword, MainSchemaSql()));
    Database& d = *m_db;
    auto run = [&](const char* sql, const QVariantList& values) {
        d.execute(QString::fromUtf8(sql), values);
    };
    run("INSERT INTO 別 (k_id, k) VALUES (?, ?)", {1, QStringLiteral("住宅")});
    run("INSERT INTO 別 (k_id, k) VALUES (?, ?)", {2, QStringLiteral("店面")});
    for (const char* a : {"客廳", "主臥室", "廚房"})
        run("INSERT INTO k2a (k, a, sort) VALUES ('住宅', ?, 0)", {QString::fromUtf8(a)});
    run("INSERT INTO k2a (k, a, sort) VALUES ('店面', '騎樓', 0)", {});
    for (const char* t : {"木作", "油漆", "水電"})
        run("INSERT INTO 種 (t) VALUES (?)", {QString::fromUtf8(t)});
    run("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '木門', 1, '樘', 5000, 1.3)", {});
    run("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '天花板', 2, '坪', 3000, 1.5)", {});
    run("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('油漆', '乳膠漆', 1, '坪', 800, 1.25)", {});
    run("INSERT INTO w2d (w, d, c, sort) VALUES ('木門', '實木', 1200, 1)", {});
    for (const char* u : {"式", "坪", "樘"})
        run("INSERT INTO u (sort, u) VALUES (0, ?)", {QString::fromUtf8(u)});
    run("INSERT INTO sc (sort, sc) VALUES (1, 1.2)", {});
    run("INSERT INTO sc (sort, sc) VALUES (2, 0.05)", {});
    run("INSERT INTO Qps (sort, ps) VALUES (1, '含工帶料')", {});
    run("INSERT INTO ps (sort, ps) VALUES (1, '本報價有效期限三十天')", {});
    run("INSERT INTO 案 (sort, 案) VALUES (1, '新建工程')", {});
    run("INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名) VALUES ('A001', '王小明', 'ming')", {});
    state().m.gDb = m_db;
}

void WindowTest::TearDown()
{
    delete m_window.data();
    Prompter::install(nullptr);
    ProgramState::reset();
}

frmQ& WindowTest::window(int rights)
{
    if (!m_window) {
        state().m.gRights = rights;
        m_window = new frmQ;
        m_window->resize(1400, 900);
        m_window->show();
        QApplication::processEvents();
    }
    return *m_window;
}

void WindowTest::pickNames(const QString& key, const char* command, const QStringList& names)
{
    frmQ& w = window();
    w.tv_MouseDown(Qt::RightButton, key);
    w.mTV()->hide();
    w.action(QString::fromLatin1(command))->trigger();
    QListWidget* list = w.lstAK();
    ASSERT_TRUE(list->isVisible());
    for (const QString& name : names) {
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        found.first()->setSelected(true);
    }
    w.lstAK_MouseDown(Qt::RightButton);
    w.mADAK()->hide();
    ASSERT_TRUE(w.action(QStringLiteral("mADakO"))->isEnabled());
    w.action(QStringLiteral("mADakO"))->trigger();
}

void WindowTest::buildTwoAreas()
{
    pickNames(Q, "mAddA", {QStringLiteral("客廳"), QStringLiteral("廚房")});
    pickNames(path({"客廳"}), "mAddT", {QStringLiteral("木作")});
    ASSERT_EQ(doc().shownPath(), path({"客廳", "木作"}));
}

void WindowTest::clickCell(int row, int col, Qt::MouseButton button)
{
    GridView* grid = window().hfgQ();
    QApplication::processEvents();
    const QPoint at = grid->cellRect(row, col).center();
    QWidget* target = grid->childAt(at);
    ASSERT_NE(target, nullptr);
    const QPoint local = target->mapFrom(grid, at);
    QTest::mousePress(target, button, {}, local);
    QTest::mouseRelease(target, button, {}, local);
    QApplication::processEvents();
}

void WindowTest::selectRows(int from, int to)
{
    GridView* grid = window().hfgQ();
    editors().HideCellEditors();
    QApplication::processEvents();
    const QPoint a = grid->cellRect(from, 0).center();
    const QPoint b = grid->cellRect(to, 0).center();
    QWidget* target = grid->childAt(a);
    ASSERT_NE(target, nullptr);
    QTest::mousePress(target, Qt::LeftButton, {}, target->mapFrom(grid, a));
    const QPoint local = target->mapFrom(grid, b);
    QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QTest::mouseRelease(target, Qt::LeftButton, {}, local);
}

void typeInto(QWidget* widget, const QString& text)
{
    // QTest knows only the keys of ASCII characters; others come as typed text.
    for (const QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(widget, ch.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}

void WindowTest::type(const QString& text)
{
    QWidget* editor = editors().openEditor();
    ASSERT_NE(editor, nullptr);
    if (auto* cb = qobject_cast<QComboBox*>(editor))
        editor = cb->lineEdit();
    typeInto(editor, text);
}

void WindowTest::pressEnter()
{
    QWidget* editor = editors().openEditor();
    ASSERT_NE(editor, nullptr);
    if (auto* cb = qobject_cast<QComboBox*>(editor))
        editor = cb->lineEdit();
    QTest::keyClick(editor, Qt::Key_Return);
}

} // namespace varn::test
