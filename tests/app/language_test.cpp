#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/globalilocalizza.h"
#include "app/menu.h"
#include "model/globali.h"

namespace {

using Captions = std::vector<std::pair<rt::MenuItem& (*)(), std::string>>;

void ExpectCaptions(const Captions& captions) {
    for (const auto& [item, text] : captions)
        EXPECT_EQ(item().Text(), text) << item().Name();
}

const Captions kEnglish = {
    {FileMenu, "File"},
    {FileQuit, "Quit"},
    {FilePointEditor, "Point Editor.."},
    {FileOpenImage, "Picture.."},
    {FileImport, "Import.."},
    {FileExport, "Export.."},
    {ImportXYZ, "Text XYZ.."},
    {ExportTextXYZ, "Text XYZ.."},
    {ExportTextGDL, "Text GDL.."},
    {ExportCopyGDLText, "Copy GDL Text.."},
    {EditClear, "Clear"},
    {EditCopy, "Copy"},
    {EditCut, "Cut"},
    {EditUndo, "Undo"},
    {EditPaste, "Paste"},
    {EditEditMesh, "Edit measures.."},
};

const Captions kItalian = {
    {FileMenu, "Archivio"},
    {FileQuit, "Esci"},
    {FilePointEditor, "Gestione Punti.."},
    {FileOpenImage, "Immagine.."},
    {FileImport, "Importa.."},
    {FileExport, "Esporta.."},
    {ImportXYZ, "Testo XYZ.."},
    {ExportTextXYZ, "Testo XYZ.."},
    {ExportTextGDL, "Testo GDL.."},
    {ExportCopyGDLText, "Copia Testo GDL.."},
    {EditClear, "Cancella"},
    {EditCopy, "Copia"},
    {EditCut, "Taglia"},
    {EditUndo, "Annulla"},
    {EditPaste, "Incolla"},
    {EditEditMesh, "Edita Ingombro.."},
};

// Items that keep their built captions in both languages.
const Captions kShared = {
    {EditMenu, "&Edit"},
    {ImportDXF, "DXF.."},
    {ImportPowerCADDdata, "PowerCADD data.."},
    {ExportDXF, "DXF.."},
    {ExportQD3D, "QD3D Metafile.."},
    {AppleAmbrelixInfo, "Ambrelix Info.."},
};

TEST(MenuLanguages, ItalianRenamesTheSixteenItemsAndLeavesTheRest) {
    Globalilocalizza::local_ita();
    ExpectCaptions(kItalian);
    ExpectCaptions(kShared);
    EXPECT_EQ(Menu().Find("UntitledMenu2")->Text(), "-");
}

TEST(MenuLanguages, EnglishAfterItalianGivesFileWithoutTheMnemonic) {
    Globalilocalizza::local_ita();
    Globalilocalizza::local_usa();
    ExpectCaptions(kEnglish);
    ExpectCaptions(kShared);
}

TEST(MenuLanguages, SwitchingKeepsShortcutsAndEnabledStates) {
    FileExport().SetEnabled(false);
    FilePointEditor().SetEnabled(true);
    Globalilocalizza::local_ita();
    Globalilocalizza::local_usa();
    EXPECT_FALSE(FileExport().Enabled());
    EXPECT_TRUE(FilePointEditor().Enabled());
    EXPECT_EQ(FilePointEditor().KeyboardShortcut(), "Cmd+R");
    EXPECT_EQ(EditEditMesh().KeyboardShortcut(), "Cmd+E");
    EXPECT_EQ(FileQuit().KeyboardShortcut(), "Cmd+Q");
}

TEST(MenuLanguages, OnlyLanguageOneIsEnglish) {
    const std::int32_t saved = globali::lingua;
    for (const std::int32_t lingua : {0, 2, 3, -1, 99}) {
        globali::lingua = 1;
        Globalilocalizza::local_lingua();
        ASSERT_EQ(FileMenu().Text(), "File");
        globali::lingua = lingua;
        Globalilocalizza::local_lingua();
        EXPECT_EQ(FileMenu().Text(), "Archivio") << "lingua " << lingua;
        EXPECT_EQ(EditEditMesh().Text(), "Edita Ingombro..") << "lingua " << lingua;
    }
    globali::lingua = saved;
}

} // namespace
