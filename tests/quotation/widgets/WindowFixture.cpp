#include "WindowFixture.h"

namespace varn::test {

void WindowTest::SetUp()
{
    ProgramState::reset();
    ASSERT_TRUE(m_dir.isValid());
    state().programFolder = m_dir.path();
    state().m.gRights = 4095;
    Prompter::install(&prompts);

    m_db = Database::create(m_dir.filePath(QStringLiteral("varn3.mdb")), kDatabasePassword, MainSchemaSql());
    for (const char* sql :
         {"INSERT INTO 別 (k_id, k) VALUES (1, '住宅'), (2, '店面')",
          "INSERT INTO k2a (k, a, sort) VALUES ('住宅', '客廳', 0), ('住宅', '主臥室', 0), ('住宅', '廚房', 0), "
          "('店面', '騎樓', 0)",
          "INSERT INTO 種 (t) VALUES ('木作'), ('油漆'), ('水電')",
          "INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '木門', 1, '樘', 5000, 1.3), "
          "('木作', '天花板', 2, '坪', 3000, 1.5), ('油漆', '乳膠漆', 1, '坪', 800, 1.25)",
          "INSERT INTO w2d (w, d, c, sort) VALUES ('木門', '實木', 1200, 1)",
          "INSERT INTO u (sort, u) VALUES (0, '式'), (0, '坪'), (0, '樘')",
          "INSERT INTO sc (sort, sc) VALUES (1, 1.2), (2, 0.05)",
          "INSERT INTO Qps (sort, ps) VALUES (1, '含工帶料')",
          "INSERT INTO ps (sort, ps) VALUES (1, '本報價有效期限三十天')",
          "INSERT INTO 案 (sort, 案) VALUES (1, '新建工程')",
          "INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名) VALUES ('A001', '王小明', 'ming')"})
        m_db->execute(QString::fromUtf8(sql));
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
        windowMade(*m_window);
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
    pickNames(LeafPath({"客廳"}), "mAddT", {QStringLiteral("木作")});
    ASSERT_EQ(doc().shownPath(), LeafPath({"客廳", "木作"}));
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

void WindowTest::rowPopup(const char* command)
{
    clickCell(1, QCol::Selector, Qt::RightButton);
    ASSERT_TRUE(window().mQ()->isVisible());
    window().mQ()->hide();
    ASSERT_TRUE(enabled(command)) << command;
    trigger(command);
}

void WindowTest::pickItem(const char* item)
{
    editors().c()->click();
    QListWidget* ls = editors().Ls();
    ASSERT_TRUE(ls->isVisible());
    QListWidgetItem* it = ls->findItems(QString::fromUtf8(item), Qt::MatchExactly).value(0);
    ASSERT_NE(it, nullptr);
    QTest::mouseClick(ls->viewport(), Qt::LeftButton, {}, ls->visualItemRect(it).center());
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

void retype(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    typeInto(edit, text);
}

// The open editor, or the line edit of an open combo.
static QWidget* openInput(CellEditors& e)
{
    QWidget* editor = e.openEditor();
    auto* cb = qobject_cast<QComboBox*>(editor);
    return cb ? cb->lineEdit() : editor;
}

void WindowTest::type(const QString& text)
{
    QWidget* editor = openInput(editors());
    ASSERT_NE(editor, nullptr);
    typeInto(editor, text);
}

void WindowTest::pressEnter()
{
    QWidget* editor = openInput(editors());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
}

} // namespace varn::test
