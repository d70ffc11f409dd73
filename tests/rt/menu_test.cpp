#include "rt/application.h"
#include "rt/controls.h"
#include "rt/menu.h"
#include "rt/menustrip.h"
#include "rt/window.h"
#include "rt/windowregistry.h"
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Kind = rt::MenuItem::Kind;

rt::MenuItem& AddItem(rt::MenuItem& parent, Kind kind, const std::string& name, const std::string& text,
                      const std::string& shortcut = "") {
    auto item = std::make_unique<rt::MenuItem>(kind, name);
    item->SetText(text);
    item->SetKeyboardShortcut(shortcut);
    return parent.Append(std::move(item));
}

class MenuApp : public rt::Application {
public:
    int enablings = 0;
    std::vector<std::string> chosen;

protected:
    void Event_EnableMenuItems() override { ++enablings; }
};

class FieldWindow : public rt::Window {
public:
    rt::EditField Field;

protected:
    void CreateControls() override { Field.Create(*this, 10, 10, 100, 22); }
};

TEST(MenuTest, ItemsAreFoundByNameThroughSubmenusTriggerNeedsThemEnabledAndClearWorksOnTheFocusedField) {
    // A small bar like the program's: File with a submenu, Edit with an about item.
    const auto bar = std::make_unique<rt::MenuBar>();
    rt::MenuItem& file = AddItem(*bar, Kind::Menu, "FileMenu", "&File");
    AddItem(file, Kind::Item, "FilePointEditor", "Point Editor..", "Cmd+R");
    rt::MenuItem& exports = AddItem(file, Kind::Item, "FileExport", "Export..");
    AddItem(exports, Kind::Item, "ExportDXF", "DXF..");
    AddItem(exports, Kind::Item, "UntitledMenu3", "-");
    rt::MenuItem& editMenu = AddItem(*bar, Kind::Menu, "EditMenu", "&Edit");
    AddItem(editMenu, Kind::Item, "EditClear", "Clear");
    AddItem(editMenu, Kind::About, "AppleInfo", "Info..");
    MenuApp app;
    app.Register();
    rt::WindowRegistry::RunDeferredOpenings();
    app.SetMenuBar(bar.get());
    app.AddMenuHandler("ExportDXF", [&app] {
        app.chosen.push_back("ExportDXF");
        return false;
    });
    rt::MenuItem* dxf = bar->Find("ExportDXF");
    ASSERT_NE(dxf, nullptr);
    EXPECT_EQ(dxf->Parent(), bar->Child("FileMenu")->Child("FileExport"));
    EXPECT_TRUE(dxf->Trigger());
    bar->Find("FileExport")->SetEnabled(false);
    EXPECT_FALSE(dxf->Trigger());
    bar->Find("FileExport")->Enable();
    dxf->SetEnabled(false);
    EXPECT_FALSE(dxf->Trigger());
    EXPECT_FALSE(bar->Find("UntitledMenu3")->Trigger()) << "a separator";
    EXPECT_EQ(app.chosen, (std::vector<std::string>{"ExportDXF"}));
    FieldWindow& window = rt::Instance<FieldWindow>();
    window.Show();
    window.Field.SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.Field.HasFocus(); }));
    window.Field.Type("12,5");
    QTest::keyClick(window.Field.Widget(), Qt::Key_Left);
    QTest::keyClick(window.Field.Widget(), Qt::Key_Left, Qt::ShiftModifier);
    QMenu* edit = app.Strip()->MenuOf(*bar->Find("EditMenu"));
    const int before = app.enablings;
    edit->popup(QPoint(0, 0));
    EXPECT_GT(app.enablings, before) << "opening a menu refreshes the enabling";
    QTest::mouseClick(edit, Qt::LeftButton, {},
                      edit->actionGeometry(app.Strip()->ActionOf(*bar->Find("EditClear"))).center());
    EXPECT_EQ(window.Field.Text(), "125") << "Clear deletes the selected comma";
    window.Close();
}

} // namespace
