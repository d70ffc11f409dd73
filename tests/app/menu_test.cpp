#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/menu.h"

namespace {

using Kind = rt::MenuItem::Kind;

struct Entry {
    int depth;
    std::string name;
    Kind kind;
    std::string caption;
    std::string shortcut;
};

// Every item below the bar, depth first, in screen order.
void Collect(const rt::MenuItem& parent, int depth, std::vector<Entry>& out) {
    for (std::int32_t k = 0; k < parent.Count(); ++k) {
        const rt::MenuItem& item = parent.Item(k);
        out.push_back({depth, item.Name(), item.ItemKind(), item.Text(), item.KeyboardShortcut()});
        Collect(item, depth + 1, out);
    }
}

std::vector<const rt::MenuItem*> AllItems(const rt::MenuItem& parent) {
    std::vector<const rt::MenuItem*> items;
    for (std::int32_t k = 0; k < parent.Count(); ++k) {
        items.push_back(&parent.Item(k));
        for (const rt::MenuItem* below : AllItems(parent.Item(k)))
            items.push_back(below);
    }
    return items;
}

TEST(MenuBar, IsBuiltOnceAndSharedByEveryUse) {
    ambrelix::Menu& first = Menu();
    EXPECT_EQ(&Menu(), &first);
    EXPECT_EQ(Menu().Count(), 2);
}

TEST(MenuBar, HoldsFileAndEditWithTheirItemsInScreenOrder) {
    const std::vector<Entry> expected = {
        {0, "FileMenu", Kind::Menu, "&File", ""},
        {1, "FilePointEditor", Kind::Item, "Point Editor..", "Cmd+R"},
        {1, "FileImport", Kind::Item, "Import..", ""},
        {2, "FileOpenImage", Kind::Item, "Picture..", ""},
        {2, "ImportDXF", Kind::Item, "DXF..", ""},
        {2, "ImportXYZ", Kind::Item, "Text XYZ..", ""},
        {2, "ImportPowerCADDdata", Kind::Item, "PowerCADD data..", ""},
        {1, "FileExport", Kind::Item, "Export..", ""},
        {2, "ExportDXF", Kind::Item, "DXF..", ""},
        {2, "ExportTextXYZ", Kind::Item, "Text XYZ..", ""},
        {2, "ExportQD3D", Kind::Item, "QD3D Metafile..", ""},
        {2, "ExportTextGDL", Kind::Item, "Text GDL..", ""},
        {2, "UntitledMenu3", Kind::Item, "-", ""},
        {2, "ExportCopyGDLText", Kind::Item, "Copy GDL Text..", ""},
        {1, "UntitledMenu2", Kind::Item, "-", ""},
        {1, "FileQuit", Kind::Quit, "Quit", "Cmd+Q"},
        {0, "EditMenu", Kind::Menu, "&Edit", ""},
        {1, "EditUndo", Kind::Item, "Undo", "Cmd+Z"},
        {1, "UntitledMenu1", Kind::Item, "-", ""},
        {1, "EditCut", Kind::Item, "Cut", "Cmd+X"},
        {1, "EditCopy", Kind::Item, "Copy", "Cmd+C"},
        {1, "EditPaste", Kind::Item, "Paste", "Cmd+V"},
        {1, "EditClear", Kind::Item, "Clear", ""},
        {1, "UntitledMenu0", Kind::Item, "-", ""},
        {1, "EditEditMesh", Kind::Item, "Edit measures..", "Cmd+E"},
        {1, "AppleAmbrelixInfo", Kind::About, "Ambrelix Info..", ""},
    };
    // A fresh bar, so that captions set by other tests on the shared one do not matter.
    const ambrelix::Menu bar;
    std::vector<Entry> actual;
    Collect(bar, 0, actual);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
        SCOPED_TRACE("row " + std::to_string(k) + " " + expected[k].name);
        EXPECT_EQ(actual[k].depth, expected[k].depth);
        EXPECT_EQ(actual[k].name, expected[k].name);
        EXPECT_EQ(actual[k].kind, expected[k].kind);
        EXPECT_EQ(actual[k].caption, expected[k].caption);
        EXPECT_EQ(actual[k].shortcut, expected[k].shortcut);
    }
}

TEST(MenuBar, EveryItemHasAUniqueNameAndAutoEnable) {
    const ambrelix::Menu bar;
    std::set<std::string> names;
    const auto items = AllItems(bar);
    for (const rt::MenuItem* item : items) {
        EXPECT_TRUE(names.insert(item->Name()).second) << "name used twice: " << item->Name();
        EXPECT_TRUE(item->AutoEnable()) << item->Name();
    }
    EXPECT_EQ(names.size(), 26u);
}

TEST(MenuBar, EachAccessorFindsTheItemOfItsNameInTheSharedBar) {
    struct Accessor {
        const char* name;
        rt::MenuItem& (*get)();
    };
    const Accessor accessors[] = {
        {"FileMenu", FileMenu},
        {"FileQuit", FileQuit},
        {"FilePointEditor", FilePointEditor},
        {"FileImport", FileImport},
        {"FileOpenImage", FileOpenImage},
        {"ImportXYZ", ImportXYZ},
        {"ImportPowerCADDdata", ImportPowerCADDdata},
        {"ImportDXF", ImportDXF},
        {"FileExport", FileExport},
        {"ExportDXF", ExportDXF},
        {"ExportTextXYZ", ExportTextXYZ},
        {"ExportQD3D", ExportQD3D},
        {"ExportTextGDL", ExportTextGDL},
        {"ExportCopyGDLText", ExportCopyGDLText},
        {"EditMenu", EditMenu},
        {"EditUndo", EditUndo},
        {"EditCut", EditCut},
        {"EditCopy", EditCopy},
        {"EditPaste", EditPaste},
        {"EditClear", EditClear},
        {"EditEditMesh", EditEditMesh},
        {"AppleAmbrelixInfo", AppleAmbrelixInfo},
    };
    for (const Accessor& accessor : accessors) {
        rt::MenuItem& item = accessor.get();
        EXPECT_EQ(item.Name(), accessor.name);
        EXPECT_EQ(&item, Menu().Find(accessor.name)) << accessor.name;
    }
    // The two "DXF.." items are told apart by their menus.
    EXPECT_EQ(ImportDXF().Parent(), &FileImport());
    EXPECT_EQ(ExportDXF().Parent(), &FileExport());
}

TEST(MenuBar, LookingUpAnUnknownNameFailsLoudly) {
    EXPECT_THROW(MenuItemNamed("FileSave"), std::logic_error);
}

} // namespace
