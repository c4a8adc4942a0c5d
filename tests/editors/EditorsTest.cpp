#include <QLabel>
#include <QtTest>

#include "Form4.h"
#include "Form6.h"
#include "MainWindowRig.h"
#include "xscatter/Formula.h"

namespace {

// Lines of the dialogs' transcript: a question with the default it offers, a message with the
// exclamation icon and the application's title.
const QString kName = "新規ファイル名を入力して下さい（拡張子なしで） ? ",
              kCount = "化合物を構成する元素の種類数 ? ";
QString Warning(const QString& text) {
  return text + " | " + qAppName() + " !";
}

// The material file of these shipped elements, each with its number of atoms.
std::string Material(const std::vector<std::pair<const char*, double>>& atoms) {
  std::vector<std::pair<std::filesystem::path, double>> elements;
  for (const auto& [file, n] : atoms) elements.emplace_back(Workspace::shippedElement(file), n);
  return ExpectedMaterial(elements).value();
}

void Click(QWidget* window, const char* control) {
  QTest::mouseClick(window->findChild<QWidget*>(control), Qt::LeftButton);
}

}  // namespace

class EditorsTest : public QObject {
  Q_OBJECT
 private slots:
  // Text2 refuses a count below 1 and shows the labels and the element list too; Label2 takes
  // any count and shows the boxes only. Rows below 5 show from their number on, row 5 at 5 only.
  void compoundCountShowsRowsOrIsRefused() {
    // The answers given in turn, the rows n shown (1 to n) and the count stored.
    const std::tuple<const char*, QStringList, int, double> cases[] = {
        {"Text2", {"0"}, 0, 0},       {"Text2", {"-1"}, 0, 0},     {"Text2", {""}, 0, 0},
        {"Text2", {QString()}, 0, 0}, {"Text2", {"abc"}, 0, 0},    {"Text2", {"2.5"}, 2, 2.5},
        {"Text2", {"6"}, 4, 6},       {"Text2", {"5", "3"}, 5, 3}, {"Label2", {"4"}, 4, 4},
        {"Label2", {"-2"}, 0, -2}};
    for (const auto& [control, answers, n, count] : cases) {
      EditorRig<Form4> rig;
      for (const QString& answer : answers) rig.click(control, {answer});
      const bool checked = control == QString("Text2");
      for (int row = 1; row <= 5; ++row) {
        QCOMPARE(rig.shown(QString("Text%1").arg(row + 2)), row <= n);
        QCOMPARE(rig.shown(QString("Label%1").arg(row + 7)), checked && row <= n);
      }
      QCOMPARE(rig.module.Editor.ElementCount, count);
      QCOMPARE(rig.shown("File1"), checked && n > 0);
      QCOMPARE(rig.dialogs.transcript().filter(" !"),
               checked && n == 0 ? QStringList{Warning("入力値が不正です。")} : QStringList());
    }
  }

  // Every question and message as the user sees it, through a compound made under a name with
  // ".mix" added, a count of 0 through Label2 (the all-zero table), a count of 6 with slot 6
  // never set, and a cancelled number of atoms, which keeps the number stored before.
  void compoundQuestionsMessagesAndFiles() {
    EditorRig<Form4> rig;
    const QString atoms = "原子数を入力して下さい ? ",
                  saved = kSaved + " | New Data : XFSM-data/water.mix.xfs";
    rig.click("Label2", {"0"});
    rig.click("Command1");
    rig.click("Text1", {""});
    rig.click("Label1", {"water"});
    rig.click("Command1");
    QCOMPARE(FileBytes(rig.material("water.mix")), Material({}));
    rig.form->show();
    rig.click("Text2", {"5"});
    rig.click("Label8");
    rig.choose("File1", "H.xfs");
    for (const char* row : {"Label8", "Text4", "Text5", "Text6", "Text7"}) rig.click(row, {"2"});
    rig.click("Text8", {QString()});
    rig.click("Text2", {"6"});
    rig.click("Command1");
    QVERIFY(rig.form->isVisible() && FileBytes(rig.material("water.mix")) == Material({}));
    rig.choose("File1", "O.xfs");
    rig.click("Text4", {"1"});
    rig.click("Text2", {"2"});
    rig.click("Command1");
    QCOMPARE(FileBytes(rig.material("water.mix")), Material({{"H.xfs", 2}, {"O.xfs", 1}}));
    QVERIFY(!rig.form->isVisible() && rig.returns == QList<bool>({true, true}));
    QCOMPARE(rig.dialogs.transcript(), QStringList({kCount,
                                                    Warning("ファイル名が入力されていません"),
                                                    kName,
                                                    Warning("ファイル名を入力して下さい"),
                                                    kName,
                                                    saved,
                                                    kCount + "0",
                                                    Warning("元素を選択して下さい"),
                                                    atoms,
                                                    atoms,
                                                    atoms,
                                                    atoms,
                                                    atoms,
                                                    atoms + "2",
                                                    Warning("入力値が不正です。"),
                                                    kCount + "5",
                                                    kInputError + " | Input Error",
                                                    atoms + "2",
                                                    kCount + "6",
                                                    saved}));
  }

  // An empty atomic-weight box offers the standard atomic weight of its row's element.
  void mixtureQuestionsMessagesAndFile() {
    EditorRig<Form6> rig;
    const QString atomic = "原子量(atomic weight)を入力して下さい ? ",
                  weight = "相対重量(%)を入力して下さい ? ",
                  name = Warning("ファイル名を入力してください");
    rig.click("Command1");
    rig.click("Text1", {""});
    rig.click("Label1", {"brass"});
    rig.click("Text2", {"11"});
    QVERIFY(rig.shown("Text18") && !rig.shown("Text19"));  // rows 1 to 9 of 10
    rig.click("Label8");
    rig.click("Label2", {"2"});
    rig.choose("File1", "Cu.xfs");
    rig.click("Label8", {"63.546", "70"});
    rig.choose("File1", "Zn.xfs");
    rig.click("Text4", {"65.38", "20"});
    rig.click("Label9", {QString(), "30"});  // a cancelled atomic weight is 0, the weight asked
    rig.click("Command1");
    QVERIFY(rig.form->isVisible() && !std::filesystem::exists(rig.material("brass")));
    rig.click("Text26", {"65.38"});
    rig.click("Command1");
    QCOMPARE(FileBytes(rig.material("brass")),
             Material({{"Cu.xfs", 1}, {"Zn.xfs", 63.546 * 30 / (65.38 * 70)}}));
    QVERIFY(rig.shown("Label6") && !rig.shown("Text25"));  // 原子量 stays, the rows go
    QCOMPARE(rig.dialogs.transcript(),
             QStringList({name, kName, name, kName, kCount, Warning("元素を選択してください"),
                          kCount + "11", atomic + "63.546", weight, atomic + "65.38", weight,
                          atomic + "65.38", weight + "20", kInputError + " | Input Error",
                          atomic + "65.38", kSaved + " | New Data : brass.xfs"}));
  }

  // From "Create New data" through the chooser: Cancel keeps the table, an editor clears it;
  // the mixture's entries, kept after its close box, make a compound that Form1 lists and loads.
  void newDataGoesThroughTheChooserAndBackToTheMainWindow() {
    MainWindowRig main;
    auto& table = main.module.Table;
    const auto choose = [&](const char* button) {
      Click(main.form.get(), "Command4");
      QVERIFY(!main.form->isVisible() && Window("New Data")->isVisible());
      Click(Window("New Data"), button);
    };
    for (auto* column : {&table.x, &table.F, &table.S}) column->fill(1);
    choose("Command3");
    QVERIFY(main.form->isVisible() && table.S[45] == 1);
    choose("Command2");
    for (const char* answer : {"1", "63.546", "3"}) main.dialogs.answer(answer);
    Click(Window("Mixture"), "Text2");
    Window("Mixture")->findChild<FileListBox*>("File1")->setCurrentRow(0);  // Cu.xfs
    Click(Window("Mixture"), "Label8");
    Window("Mixture")->close();
    QVERIFY(main.form->isVisible());
    for (int row = 1; row <= 45; ++row) QVERIFY(table.x[row] + table.F[row] + table.S[row] == 0);
    choose("Command1");
    main.dialogs.answer("copper3");
    Click(Window("Chemical compound"), "Text1");
    Click(Window("Chemical compound"), "Command1");
    QVERIFY(main.form->isVisible() && !Window("Chemical compound")->isVisible());
    main.load("File2", "copper3.xfs");
    QCOMPARE(table.S[45], 3 * 29.0);  // Cu's S at the last row, three times over
    QCOMPARE(main.module.store().Find("copper3")->per, "per formula unit of Cu3 (190.64 g/mol)");
  }

  // The chooser's third entry: a formula, or a reference material picked from its list, is saved
  // under the name offered, as the table store saves it with its composition, and listed; a
  // formula that does not parse gets the parser's message, and nothing is written.
  void formulaOrMaterialIsSavedAsTheTableStoreSavesIt() {
    MainWindowRig main;
    for (std::string symbol : {"C", "N", "Mg", "P", "S", "Ca"})
      std::filesystem::copy_file(Workspace::shippedElement(symbol + ".xfs"),
                                 main.workspace.elementFolder() / (symbol + ".xfs"));
    const QString bone = "bone-cortical-icrp — Bone, Cortical (ICRP)";
    const auto create = [&](const QStringList& answers) {
      Click(main.form.get(), "Command4");
      for (const QString& answer : answers) main.dialogs.answer(answer);
      Click(Window("New Data"), "Command4");
      QCOMPARE(main.dialogs.pendingAnswers(), 0);
    };
    create({"Ca5(PO4"});
    QCOMPARE(main.dialogs.transcript().last(),
             Warning("No material could be made of \"Ca5(PO4\":\n" +
                     QString::fromStdString(xscatter::ParseFormula("Ca5(PO4").error())));
    QVERIFY(Window("New Data")->isVisible() && !main.form->isVisible());
    QVERIFY(std::filesystem::is_empty(main.workspace.materialFolder()));
    Click(Window("New Data"), "Command3");
    create({"Ca5(PO4)3OH", "Ca5(PO4)3OH"});
    create({bone, "bone-cortical-icrp"});
    const auto& questions = main.dialogs.questions();
    QCOMPARE(questions[1].defaultAnswer, "Ca5(PO4");
    QCOMPARE(questions[2].defaultAnswer, "Ca5(PO4)3OH");
    QVERIFY(questions[3].entries.contains(bone) && questions[3].entries.size() > 100);
    QCOMPARE(questions[4].defaultAnswer, "bone-cortical-icrp");
    QCOMPARE(main.dialogs.transcript().last(),
             "The data were saved to the file. | New Data : bone-cortical-icrp.xfs");
    QVERIFY(main.form->isVisible() && !Window("New Data")->isVisible());
    QCOMPARE(main.get<FileListBox>("File2").count(), 2);

    // The formula as xscatter-table saves it; the reference material, which the command line
    // does not save under its id, as the table store saves it for any front end.
    Workspace expected({"H", "C", "N", "O", "Mg", "P", "S", "Ca", "Zn"});
    const std::string command = XSCATTER_TABLE_PROGRAM " --data " + expected.root().string() +
                                " compound 'Ca5(PO4)3OH' 'Ca5(PO4)3OH' --save >/dev/null";
    QCOMPARE(std::system(command.c_str()), 0);
    const xscatter::TableStore store(xscatter::FoldersIn(expected.root()));
    const auto icrp = store.Find("bone-cortical-icrp").value();
    QVERIFY(store.SaveMaterial("bone-cortical-icrp", icrp.table, icrp.composition).ok());
    for (const char* made : {"Ca5(PO4)3OH", "bone-cortical-icrp"}) {
      for (const char* suffix : {".xfs", ".xfs.composition"}) {
        const std::string file = made + std::string(suffix);
        QVERIFY(!FileBytes(expected.materialFolder() / file).empty());
        QCOMPARE(FileBytes(main.workspace.materialFolder() / file),
                 FileBytes(expected.materialFolder() / file));
      }
    }
    main.load("File2", "bone-cortical-icrp.xfs");
    Click(main.form.get(), "Command6");
    QCOMPARE(Window("Scattering at an Energy")->findChild<QLabel*>("Label2")->text(),
             "Values per mean atom of Bone, Cortical (ICRP) (10.145 g/mol per atom).");
  }
};

QTEST_MAIN(EditorsTest)
#include "EditorsTest.moc"
