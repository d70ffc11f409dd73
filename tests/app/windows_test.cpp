// The about and start windows, driven as a user does.

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>
#include <utility>

#include "app/allocationlimit.h"
#include "app/app.h"
#include "app/finestrainfo.h"
#include "app/finstart.h"
#include "app/menu.h"
#include "app/startup.h"
#include "export/finscrivilinee.h"
#include "input/fin_edita.h"
#include "input/fingestionepunti.h"
#include "input/finimmagine.h"
#include "input/finingombro.h"
#include "input/readertesting.h"
#include "input/setdxf.h"
#include "model/globali.h"
#include "rt/dialogs.h"
#include "rt/window.h"
#include "views/fincontrol.h"
#include "views/finestra.h"
#include "views/winquesa3d.h"

namespace {

void Hover(QWidget* widget, QEvent::Type type) {
    QEvent event(type);
    QApplication::sendEvent(widget, &event);
}

// The last name filter of the open dialog, the one that lists every file: Qt's own text.
std::string AllFilesFilterOfQtsDialog() {
    rt::ScriptedDialogs script;
    script.AnswerOpen(std::nullopt);
    rt::GetOpenFolderItem("special/any");
    return script.Requests().at(0).filters.back();
}

void Press(rt::Control& control) {
    QTest::mouseClick(control.Widget(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

finestrainfo& OpenAbout() {
    const auto handler = App().MenuHandler("AppleAmbrelixInfo");
    EXPECT_TRUE(handler && !handler());
    finestrainfo* window = rt::OpenInstance<finestrainfo>();
    EXPECT_NE(window, nullptr);
    return *window;
}

TEST(AboutWindow, StaysEnglishAndOpenUntilOkOrReturnAndUnderlinesTheContactLineUnderThePointer) {
    ambrelix::NewAppInstance();
    rt::WindowRegistry::RunDeferredOpenings();
    globali::lingua = 2;
    finestrainfo& window = OpenAbout();
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.Title(), "Ambrelix info");
    QWidget* contact = window.StaticText2.Widget();
    for (const QEvent::Type type : {QEvent::Enter, QEvent::Leave}) {
        Hover(contact, type);
        EXPECT_EQ(contact->font().underline(), type == QEvent::Enter);
    }
    // No close box: the window manager's close is refused; clicks on the contact line and the
    // picture (with no address to open) leave it open.
    window.ContentWidget()->close();
    QTest::mouseClick(contact, Qt::LeftButton);
    QTest::mouseClick(window.Canvas1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), &window);
    EXPECT_EQ(&OpenAbout(), &window);
    QTest::keyClick(window.ContentWidget(), Qt::Key_Return);
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), nullptr);
    OpenAbout().PushButton1.Push();
    EXPECT_EQ(rt::OpenInstance<finestrainfo>(), nullptr);
    ambrelix::DiscardAppInstance();
    globali::lingua = 0;
}

TEST(StartWindow, FlagsSwitchTheLanguageOfTheWindowTheMenusAndQtsDialogsAndShowABarWhileThePointerIsOnThem) {
    globali::lingua = 0;
    finstart& window = rt::Instance<finstart>();
    Press(window.Canvasl(1));
    EXPECT_EQ(globali::lingua, 2);
    EXPECT_EQ(FileMenu().Text(), "Archivio");
    EXPECT_EQ(AllFilesFilterOfQtsDialog(), "Tutti i file (*)");
    Press(window.Canvasl(0));
    EXPECT_EQ(globali::lingua, 1);
    EXPECT_EQ(window.Title(), "Starting Choice");
    EXPECT_EQ(FileMenu().Text(), "File");
    EXPECT_EQ(AllFilesFilterOfQtsDialog(), "All Files (*)");
    EXPECT_TRUE(window.IsOpen());
    for (const QEvent::Type type : {QEvent::Enter, QEvent::Leave}) {
        Hover(window.Canvasl(0).Widget(), type);
        EXPECT_EQ(window.Rectsel(0).Visible(), type == QEvent::Enter);
        EXPECT_FALSE(window.Rectsel(1).Visible());
    }
    // The point editor choice closes the window and opens the editor.
    Press(window.pushbstart(1));
    EXPECT_EQ(rt::OpenInstance<finstart>(), nullptr);
    EXPECT_TRUE(rt::OpenInstance<fingestionepunti>() && rt::OpenInstance<fingestionepunti>()->Visible());
    rt::WindowRegistry::DiscardAll();
    globali::lingua = 1;
}

// The boxes in a window's title bar, as "close minimise maximise" for those it has.
template <class W> std::string Boxes() {
    const Qt::WindowFlags flags = rt::Instance<W>().ContentWidget()->windowFlags();
    std::string boxes;
    for (const auto& [hint, name] : {std::pair{Qt::WindowCloseButtonHint, "close "},
                                     {Qt::WindowMinimizeButtonHint, "minimise "},
                                     {Qt::WindowMaximizeButtonHint, "maximise "}})
        if (flags & hint)
            boxes += name;
    return boxes;
}

TEST(WindowRecords, EveryWindowHasTheTitleBarBoxesItsRecordGivesAndNoOthers) {
    EXPECT_EQ(Boxes<finstart>(), "close minimise ");
    EXPECT_EQ(Boxes<finestrainfo>(), "");
    EXPECT_EQ(Boxes<finimmagine>(), "");
    EXPECT_EQ(Boxes<setdxf>(), "minimise ");
    EXPECT_EQ(Boxes<fingestionepunti>(), "minimise ");
    EXPECT_EQ(Boxes<finingombro>(), "minimise ");
    EXPECT_EQ(Boxes<fin_edita>(), "minimise ");
    EXPECT_EQ(Boxes<fincontrol>(), "");
    EXPECT_EQ(Boxes<Finestra>(), "minimise ");
    EXPECT_EQ(Boxes<winquesa3d>(), "close minimise ");
    EXPECT_EQ(Boxes<finscrivilinee>(), "");
}

TEST(WindowRecords, EveryCaptionThatFollowsTheLanguageIsSetWhenTheWindowOpens) {
    rt::WindowRegistry::DiscardAll();
    globali::lingua = 2;
    finstart& start = rt::Instance<finstart>();
    fingestionepunti& list = rt::Instance<fingestionepunti>();
    finimmagine& palette = rt::Instance<finimmagine>();
    finingombro& size = rt::Instance<finingombro>();
    setdxf& dxf = rt::Instance<setdxf>();
    fincontrol& panel = rt::Instance<fincontrol>();
    std::string shown = start.Title();
    for (const std::string& text : {start.pushbstart(0).Caption(),
                                    start.pushbstart(5).Caption(),
                                    list.Title(),
                                    list.PushButton4.Caption(),
                                    list.PushButton2.Caption(),
                                    list.PushButton3.Caption(),
                                    palette.Title(),
                                    palette.StaticText2.Text(),
                                    palette.StaticText1.Text(),
                                    size.Title(),
                                    size.CheckBox1.Caption(),
                                    size.PushButton1.Caption(),
                                    size.PushButton2.Caption(),
                                    dxf.Title(),
                                    dxf.StaticText1.Text(),
                                    dxf.CheckBox1.Caption(),
                                    dxf.StaticText3.Text(),
                                    dxf.StaticText4.Text(),
                                    dxf.StaticText2.Text(),
                                    dxf.StaticText6.Text(),
                                    panel.Title(),
                                    panel.PushButton1.Caption(),
                                    panel.StaticText5.Text(),
                                    panel.StaticText7.Text(),
                                    panel.StaticText2.Text(),
                                    panel.StaticText1.Text(),
                                    panel.CheckBox1.Caption(),
                                    panel.CheckBox2.Caption()})
        shown += "|" + text;
    EXPECT_EQ(shown, "Scelta iniziale|Apri immagine (richiede QuickTime) e traccia manualmente|"
                     "ESCI da Ambrelix|Gestione Punti|Annulla|Aggiungi|Elimina|Traccia|Quota Z|"
                     "Riferimento|Edita ingombro..|Ruota di 90 gradi|Annulla|Modifica|Importa DXF..|"
                     "Importa DXF (solo Polilinee)|  Auto-Quotatura|Quota 1a Polilinea|Distanza dZ|"
                     "Semplifica curve|Punti\rSaltati|Controlli|Crea Mesh 3D|Fattore distanza|"
                     "Curve di livello 3d|Nodi X|Nodi Y|GDL 3D Smussato|Metodo B");
    rt::WindowRegistry::DiscardAll();
    globali::lingua = 1;
}

TEST(StartWindow, ACommandThatRunsOutOfMemoryIsReportedInBothLanguagesAndLeavesTheDataAsItWas) {
    ambrelix::NewAppInstance();
    readertest::Scratch scratch;
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += "1\t2\t3\n";
    const std::string path = scratch.Write("many.txt", lines);
    readertest::SetEarlierData();
    const readertest::Survey before = readertest::Current();
    finstart& window = rt::Instance<finstart>();

    rt::ScriptedDialogs script;
    script.AnswerOpen(path);
    script.AnswerMessage();
    {
        // Room for the reader's file buffer, not for its staged points.
        AllocationLimit limit(100000);
        Press(window.pushbstart(2));
    }
    ASSERT_EQ(script.Requests().size(), 2u);
    EXPECT_EQ(script.Requests()[1].text,
              "Not enough memory: the command could not be completed!\r\r"
              "Memoria insufficiente: non è stato possibile completare il comando!");
    EXPECT_EQ(readertest::Current(), before);
    ambrelix::DiscardAppInstance();
}

} // namespace
