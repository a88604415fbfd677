// The design view's element tools, and the Definition dialog on a selected
// class box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/MyView.h"
#include "command/CmdTarget.h"
#include "command/CommandIds.h"
#include "dialogs/DefinitionDlg.h"
#include "model/HyperOleDoc.h"
#include "model/HyperPage.h"
#include "shapes/BorderOb.h"
#include "shapes/ConnectOb.h"
#include "shapes/ShapeClasses.h"
#include "uml/ClassOb.h"
#include "uml/DesignElements.h"
#include "uml/UmlClasses.h"
#include "uml/VexelConn.h"

namespace {

// Runs `answer` on the next modal dialog once it is open (checked from
// the event loop the dialog runs).
void WhenDialogOpens(std::function<void(CDefinitionDlg&)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        if (auto* d = dynamic_cast<CDefinitionDlg*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(*d);
        }
    });
    timer->start();
}

class DesignView : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterShapeClasses();
        RegisterUmlClasses();
        view = std::make_unique<CMyView>(&doc, nullptr);
    }
    bool Enabled(int id) {
        CCmdUI ui(id);
        return view->OnCmdMsg(id, &ui) && ui.enabled;
    }
    CMyDoc doc;
    std::unique_ptr<CMyView> view;
};

}  // namespace

TEST_F(DesignView, RegistersTheElementToolsAfterTheLibrarysOwn) {
    view->RegisterTools();
    const std::map<uint16_t, const CClassInfo*> expected{
        {10002, &CActorOb::classInfo},     {10003, &CClassOb::classInfo}, {10004, &CPackageOb::classInfo},
        {10006, &CComponentOb::classInfo}, {10007, &CNodeOb::classInfo},  {10008, &CUseCaseOb::classInfo},
        {10009, &CNoteOb::classInfo},      {60473, &CBorderOb::classInfo},
        {10000, &CVexelConn::classInfo},   {60481, &CConnectOb::classInfo},
    };
    for (const auto& [id, cls] : expected) EXPECT_EQ(view->toolMap().count(id) ? view->toolMap().at(id) : nullptr, cls) << id;
    // An object made from a tool's class is named after its type.
    for (const auto& [id, code] : {std::pair{10003, "Class1"}, std::pair{10002, "Actor1"}, std::pair{10009, "Note1"},
                                     std::pair{10000, "Association1"}, std::pair{60481, "Connector1"}}) {
        std::unique_ptr<CObject> made = view->GetToolClass(uint16_t(id))->create();
        auto* ob = static_cast<CHyperOb*>(made.get());
        EXPECT_EQ(ob->GetToolStringId(), id);
        EXPECT_EQ(doc.mainPage().UniqueCode(ob->GetTypeName()), code);
    }
}

TEST_F(DesignView, TheDefinitionDialogEditsTheSelectedClass) {
    using vx::cmd::kClassAttributes;
    using vx::cmd::kClassOperations;
    auto owned = std::make_unique<CClassOb>();
    CClassOb* box = owned.get();
    box->SetCodeRaw("Class1");
    doc.mainPage().Insert(std::move(owned));
    box->ApplyViewDefaults();
    box->attributes().text = "id";
    // Nothing selected: the commands are off and do nothing.
    EXPECT_FALSE(Enabled(kClassAttributes));
    EXPECT_FALSE(view->EditClassDefinition(CClassOb::kAttributes));
    box->Select(true);
    EXPECT_TRUE(Enabled(kClassAttributes));
    EXPECT_TRUE(Enabled(kClassOperations));

    // OK takes the edited lines.
    QString title;
    WhenDialogOpens([&title](CDefinitionDlg& d) {
        title = d.windowTitle();
        EXPECT_EQ(d.edit()->toPlainText(), QStringLiteral("id"));
        d.edit()->setPlainText(QStringLiteral("id : int\nname : String\nborn : Date"));
        d.buttons()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_TRUE(view->OnCmdMsg(kClassAttributes, nullptr));
    EXPECT_EQ(title, QStringLiteral("Attribute Definitions"));
    EXPECT_EQ(box->attributes().text, "id : int\nname : String\nborn : Date");
    EXPECT_TRUE(doc.IsModified());

    // Cancel leaves the definitions as they were.
    doc.SetModifiedFlag(false);
    WhenDialogOpens([&title](CDefinitionDlg& d) {
        title = d.windowTitle();
        d.edit()->setPlainText(QStringLiteral("lost"));
        d.buttons()->button(QDialogButtonBox::Cancel)->click();
    });
    EXPECT_FALSE(view->EditClassDefinition(CClassOb::kOperations));
    EXPECT_EQ(title, QStringLiteral("Operation Definitions"));
    EXPECT_EQ(box->operations().text, "");
    EXPECT_FALSE(doc.IsModified());

    // With several selected, the dominant class box is the one edited.
    auto second = std::make_unique<CClassOb>();
    CClassOb* other = second.get();
    other->SetCodeRaw("Class2");
    doc.mainPage().Insert(std::move(second), 0);
    other->ApplyViewDefaults();
    box->Select(false);
    other->Select(true);
    EXPECT_EQ(view->SelectedClass(), other);
}

TEST(DefinitionDialog, TitlesAndNoLengthLimit) {
    EXPECT_EQ(CDefinitionDlg::TitleFor(1), QStringLiteral("Attribute Definitions"));
    EXPECT_EQ(CDefinitionDlg::TitleFor(2), QStringLiteral("Operation Definitions"));
    EXPECT_EQ(CDefinitionDlg::TitleFor(3), QStringLiteral("Description"));
    std::string text = "a";
    CDefinitionDlg d(text, CDefinitionDlg::kDescription);
    const QString longText(100000, QLatin1Char('x'));
    d.edit()->setPlainText(longText);
    d.accept();
    EXPECT_EQ(text.size(), 100000u);
}
