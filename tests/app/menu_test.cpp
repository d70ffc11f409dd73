#include <gtest/gtest.h>

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/globalilocalizza.h"
#include "app/menu.h"
#include "model/globali.h"

namespace {

// Every item below `parent`, depth first in screen order, as "depth name kind caption shortcut",
// and the names met.
void Collect(const rt::MenuItem& parent, int depth, std::vector<std::string>& rows,
             std::set<std::string>& names) {
    for (std::int32_t k = 0; k < parent.Count(); ++k) {
        const rt::MenuItem& item = parent.Item(k);
        rows.push_back(std::to_string(depth) + " " + item.Name() + " " +
                       std::to_string(static_cast<int>(item.ItemKind())) + " " + item.Text() + " " +
                       item.KeyboardShortcut() + (item.AutoEnable() ? "" : " (not auto-enabled)"));
        names.insert(item.Name());
        Collect(item, depth + 1, rows, names);
    }
}

std::string Row(int depth, const char* name, rt::MenuItem::Kind kind, const char* caption,
                const char* shortcut = "") {
    return std::to_string(depth) + " " + name + " " + std::to_string(static_cast<int>(kind)) + " " + caption +
           " " + shortcut;
}

TEST(MenuBar, HoldsFileAndEditWithTheirItemsInScreenOrder) {
    using enum rt::MenuItem::Kind;
    const std::vector<std::string> expected = {
        Row(0, "FileMenu", Menu, "&File"),
        Row(1, "FilePointEditor", Item, "Point Editor..", "Cmd+R"),
        Row(1, "FileImport", Item, "Import.."),
        Row(2, "FileOpenImage", Item, "Picture.."),
        Row(2, "ImportDXF", Item, "DXF.."),
        Row(2, "ImportXYZ", Item, "Text XYZ.."),
        Row(2, "ImportPowerCADDdata", Item, "PowerCADD data.."),
        Row(1, "FileExport", Item, "Export.."),
        Row(2, "ExportDXF", Item, "DXF.."),
        Row(2, "ExportTextXYZ", Item, "Text XYZ.."),
        Row(2, "ExportQD3D", Item, "QD3D Metafile.."),
        Row(2, "ExportTextGDL", Item, "Text GDL.."),
        Row(2, "UntitledMenu3", Item, "-"),
        Row(2, "ExportCopyGDLText", Item, "Copy GDL Text.."),
        Row(1, "UntitledMenu2", Item, "-"),
        Row(1, "FileQuit", Quit, "Quit", "Cmd+Q"),
        Row(0, "EditMenu", Menu, "&Edit"),
        Row(1, "EditUndo", Item, "Undo", "Cmd+Z"),
        Row(1, "UntitledMenu1", Item, "-"),
        Row(1, "EditCut", Item, "Cut", "Cmd+X"),
        Row(1, "EditCopy", Item, "Copy", "Cmd+C"),
        Row(1, "EditPaste", Item, "Paste", "Cmd+V"),
        Row(1, "EditClear", Item, "Clear"),
        Row(1, "UntitledMenu0", Item, "-"),
        Row(1, "EditEditMesh", Item, "Edit measures..", "Cmd+E"),
        Row(1, "AppleAmbrelixInfo", About, "Ambrelix Info.."),
    };
    // A fresh bar, so that captions set by other tests on the shared one do not matter.
    const ambrelix::Menu bar;
    std::vector<std::string> actual;
    std::set<std::string> names;
    Collect(bar, 0, actual, names);
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(names.size(), actual.size()) << "a name is used twice";
}

TEST(MenuBar, IsBuiltOnceAndEachAccessorFindsItsItemByNameThroughTheSubmenus) {
    EXPECT_EQ(&Menu(), &Menu());
    // clang-format off
    const std::pair<const char*, rt::MenuItem& (*)()> accessors[] = {
        {"FileMenu", FileMenu}, {"FileQuit", FileQuit}, {"FilePointEditor", FilePointEditor},
        {"FileImport", FileImport}, {"FileOpenImage", FileOpenImage}, {"ImportXYZ", ImportXYZ},
        {"ImportPowerCADDdata", ImportPowerCADDdata}, {"ImportDXF", ImportDXF}, {"FileExport", FileExport},
        {"ExportDXF", ExportDXF}, {"ExportTextXYZ", ExportTextXYZ}, {"ExportQD3D", ExportQD3D},
        {"ExportTextGDL", ExportTextGDL}, {"ExportCopyGDLText", ExportCopyGDLText}, {"EditMenu", EditMenu},
        {"EditUndo", EditUndo}, {"EditCut", EditCut}, {"EditCopy", EditCopy}, {"EditPaste", EditPaste},
        {"EditClear", EditClear}, {"EditEditMesh", EditEditMesh}, {"AppleAmbrelixInfo", AppleAmbrelixInfo}};
    // clang-format on
    for (const auto& [name, get] : accessors) {
        EXPECT_EQ(get().Name(), name);
        EXPECT_EQ(&get(), Menu().Find(name)) << name;
    }
    // The two "DXF.." items are told apart by their menus.
    EXPECT_EQ(ImportDXF().Parent(), &FileImport());
    EXPECT_EQ(ExportDXF().Parent(), &FileExport());
    EXPECT_THROW(MenuItemNamed("FileSave"), std::logic_error);
}

// Walks the shared bar beside a freshly built one: each item shows its caption in `changed`, or
// else the caption it was built with, and keeps its shortcut.
void ExpectCaptions(const rt::MenuItem& shown, const rt::MenuItem& built,
                    const std::map<std::string, std::string>& changed) {
    ASSERT_EQ(shown.Count(), built.Count());
    for (std::int32_t k = 0; k < shown.Count(); ++k) {
        const rt::MenuItem& item = shown.Item(k);
        const auto found = changed.find(item.Name());
        EXPECT_EQ(item.Text(), found != changed.end() ? found->second : built.Item(k).Text()) << item.Name();
        EXPECT_EQ(item.KeyboardShortcut(), built.Item(k).KeyboardShortcut()) << item.Name();
        ExpectCaptions(item, built.Item(k), changed);
    }
}

TEST(MenuLanguages, ItalianRenamesSixteenItemsAndEnglishAfterItGivesFileWithoutTheMnemonic) {
    const ambrelix::Menu built;
    Globalilocalizza::local_ita();
    // clang-format off
    const std::map<std::string, std::string> italian = {
        {"FileMenu", "Archivio"}, {"FileQuit", "Esci"}, {"FilePointEditor", "Gestione Punti.."},
        {"FileOpenImage", "Immagine.."}, {"FileImport", "Importa.."}, {"FileExport", "Esporta.."},
        {"ImportXYZ", "Testo XYZ.."}, {"ExportTextXYZ", "Testo XYZ.."}, {"ExportTextGDL", "Testo GDL.."},
        {"ExportCopyGDLText", "Copia Testo GDL.."}, {"EditClear", "Cancella"}, {"EditCopy", "Copia"},
        {"EditCut", "Taglia"}, {"EditUndo", "Annulla"}, {"EditPaste", "Incolla"},
        {"EditEditMesh", "Edita Ingombro.."}};
    // clang-format on
    ExpectCaptions(Menu(), built, italian);
    Globalilocalizza::local_usa();
    ExpectCaptions(Menu(), built, {{"FileMenu", "File"}});
}

TEST(MenuLanguages, OnlyLanguageOneIsEnglish) {
    const std::int32_t saved = globali::lingua;
    for (const std::int32_t lingua : {0, 1, 2, 1, -1}) {
        globali::lingua = lingua;
        Globalilocalizza::local_lingua();
        EXPECT_EQ(FileMenu().Text(), lingua == 1 ? "File" : "Archivio") << "language " << lingua;
    }
    globali::lingua = saved;
}

} // namespace
