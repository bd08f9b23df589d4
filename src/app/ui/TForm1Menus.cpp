// Menu bars of the main window: the normal one and the viewer's.

#include "app/ui/TForm1.h"

#include "app/ui/MainWindowTexts.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QVBoxLayout>

namespace quorix {

namespace texts = mainwindow;

void TForm1::buildMenus()
{
    m_menuHolder = new QWidget(this);
    m_menuHolder->setObjectName(QStringLiteral("MenuHolder"));
    auto* holderLayout = new QVBoxLayout(m_menuHolder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->setSpacing(0);
    MainMenu1 = new QMenuBar(m_menuHolder);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    MainMenu1->setNativeMenuBar(false);
    MainMenu2 = new QMenuBar(m_menuHolder);
    MainMenu2->setObjectName(QStringLiteral("MainMenu2"));
    MainMenu2->setNativeMenuBar(false);
    holderLayout->addWidget(MainMenu1);
    holderLayout->addWidget(MainMenu2);
    MainMenu2->hide();
    setMenuWidget(m_menuHolder);

    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = MainMenu1->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    auto item = [this](QMenu* m, const char* name, const QString& text, void (TForm1::*handler)()) {
        QAction* a = m->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };

    Menu_file = menu("Menu_file", texts::kMenuFile);
    Menu_esplorer =
        item(Menu_file, "Menu_esplorer", texts::kMenuExplorer, &TForm1::Menu_esplorerClick);
    Menu_control = item(Menu_file, "Menu_control", texts::kMenuControl, &TForm1::Menu_controlClick);
    Menu_file->addSeparator();
    Menu_close = item(Menu_file, "Menu_close", texts::kMenuClose, &TForm1::Menu_closeClick);

    Menu_edit = menu("Menu_edit", texts::kMenuEdit);
    Menu_del = item(Menu_edit, "Menu_del", texts::kMenuDelete, &TForm1::tlbtnDelClick);
    Menu_copy = item(Menu_edit, "Menu_copy", texts::kMenuCopy, &TForm1::tlbtnCopyClick);
    Menu_move = item(Menu_edit, "Menu_move", texts::kMenuMove, &TForm1::tlbtnMoveClick);
    Menu_find = item(Menu_edit, "Menu_find", texts::kMenuFind, &TForm1::tlbtnFindFileClick);
    Menu_view = item(Menu_edit, "Menu_view", texts::kMenuView, &TForm1::View1Click);
    Menu_edit->addSeparator();
    Menu_rname = item(Menu_edit, "Menu_rname", texts::kMenuRename, &TForm1::Menu_rnameClick);
    Menu_info = item(Menu_edit, "Menu_info", texts::kMenuInfo, &TForm1::Menu_infoClick);
    Menu_edit->addSeparator();
    Menu_all = item(Menu_edit, "Menu_all", texts::kMenuAll, &TForm1::Menu_allClick);

    Menu_outapp = menu("Menu_outapp", texts::kMenuOutApp);
    Menu_set = item(Menu_outapp, "Menu_set", texts::kMenuSet, &TForm1::Menu_setClick);
    for (int i = 0; i < 26; ++i) {
        const QChar letter(char16_t(u'A' + i));
        QAction* a = Menu_outapp->addAction(texts::kMenuOutPrefix + letter);
        a->setObjectName(QStringLiteral("Menu_out") + letter.toLower());
        a->setData(i + 2); // tag
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, a] { Menu_outaClick(a); });
        // A hidden menu item carries no shortcut of its own, so the window holds it.
        auto* sc = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_A + i)), this);
        sc->setObjectName(QStringLiteral("Shortcut_out") + letter.toLower());
        sc->setContext(Qt::WindowShortcut);
        connect(sc, &QShortcut::activated, a, &QAction::trigger);
        a->setShortcut(sc->key());
        a->setShortcutContext(Qt::WidgetShortcut); // the QShortcut above is the one in force
        Menu_out[size_t(i)] = a;
    }

    Menu_text = menu("Menu_text", texts::kMenuEditApp);
    Menu_outee = item(Menu_text, "Menu_outee", texts::kMenuEditor, &TForm1::Menu_outeeClick);
    Menu_text->addSeparator();
    Menu_sete = item(Menu_text, "Menu_sete", texts::kMenuSet, &TForm1::Menu_seteClick);

    Menu_other = menu("Menu_other", texts::kMenuOther);
    DeskTop_set = item(Menu_other, "DeskTop_set", texts::kMenuShortcut, &TForm1::DeskTop_setClick);

    Menu_help = menu("Menu_help", texts::kMenuHelp);
    Menu_hp = item(Menu_help, "Menu_hp", texts::kMenuHomePage, &TForm1::Menu_hpClick);
    Menu_add = item(Menu_help, "Menu_add", texts::kMenuMail, &TForm1::Menu_addClick);
    Menu_help->addSeparator();
    Menu_ver = item(Menu_help, "Menu_ver", texts::kMenuVersion, &TForm1::Menu_verClick);

    // Viewer menu: two items straight on the bar.
    ViewClose = MainMenu2->addAction(texts::kViewClose);
    ViewClose->setObjectName(QStringLiteral("ViewClose"));
    ViewClose->setShortcut(QKeySequence(Qt::Key_Escape));
    ViewClose->setShortcutContext(Qt::WindowShortcut);
    ViewClose->setEnabled(false);
    connect(ViewClose, &QAction::triggered, this, [this] { ViewCloseClick(); });
    Find_m2 = MainMenu2->addAction(texts::kViewFind);
    Find_m2->setObjectName(QStringLiteral("Find_m2"));
    Find_m2->setEnabled(false);
    connect(Find_m2, &QAction::triggered, this, [this] { Find_m2Click(); });
}

void TForm1::ShowViewerMenu(bool viewer)
{
    MainMenu1->setVisible(!viewer);
    MainMenu2->setVisible(viewer);
    // Only the menu bar in force has live shortcuts.
    ViewClose->setEnabled(viewer);
    Find_m2->setEnabled(viewer);
    for (QShortcut* sc : findChildren<QShortcut*>(Qt::FindDirectChildrenOnly))
        sc->setEnabled(!viewer);
}

} // namespace quorix
