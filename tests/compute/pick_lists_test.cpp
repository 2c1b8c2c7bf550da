#include "agenda_fixture.h"
#include "app/main_data.h"
#include "app/scripted_prompts.h"
#include "compute/pick_lists.h"
#include "support/test_application.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>
#include <memory>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace arvelo;

namespace {

[[maybe_unused]] const auto* const kApp = test::kTestApplication<QApplication>;

class PickLists : public ::testing::Test {
protected:
    test::TestAgenda agenda;
    app::ScriptedPrompts prompts;
    app::THlavniData data{prompts, test::czechFormats()};
    ui::TMemTable list{compute::PoleSeznamu()};

    void SetUp() override {
        agenda.standardYears();
        agenda.attach(data, "002");
    }
    QStringList codes() const {
        QStringList out;
        for (ui::RecId id : list.viewIds()) {
            out << list.textAt(id, 0);
        }
        return out;
    }
};

// Answers the editor's "Přidat" with the next scripted code.
class ScriptedPicks final : public rights::TVyberySeznamu {
public:
    QStringList answers;
    QStringList startCodes;
    QString UpravitSeznam(const QString& seznam, int) override { return seznam; }
    QString VybratZeSeznamu(int, const QString& start) override {
        startCodes << start;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

TEST(ItemList, SplitsOnlyTerminatedItems) {
    EXPECT_EQ(compute::RozdelitSeznam("501100;518;abc"), (QStringList{"501100", "518"}));
    EXPECT_EQ(compute::RozdelitSeznam(""), QStringList{});
    EXPECT_EQ(compute::RozdelitSeznam("abc"), QStringList{});
    EXPECT_EQ(compute::RozdelitSeznam(";"), QStringList{""});
    EXPECT_EQ(compute::SlozitSeznam({"501100", "518"}), "501100;518;");
}

TEST_F(PickLists, EditorRefusesADuplicateWhateverItsCase) {
    ScriptedPicks picks;
    picks.answers = {"zak1", "", "ZAK2"};
    compute::TfrmEditorPol editor("ZAK1;abc", 3, picks, prompts);
    EXPECT_EQ(editor.windowTitle(), "Seznam položek");
    auto* remove = editor.findChild<QPushButton*>("btnVyjmout");
    ASSERT_NE(remove, nullptr);
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_EQ(editor.Seznam(), "ZAK1;");

    editor.Pridat();
    EXPECT_EQ(prompts.texts(app::MessageKind::Information),
              QStringList{"Zkratka \"zak1\" již v seznamu existuje."});
    EXPECT_EQ(editor.Seznam(), "ZAK1;");
    EXPECT_EQ(picks.startCodes, QStringList{"ZAK1"}); // the current item's code
    editor.Pridat();                                  // nothing chosen
    EXPECT_EQ(editor.Seznam(), "ZAK1;");
    editor.Pridat();
    EXPECT_EQ(editor.Seznam(), "ZAK1;ZAK2;");
    EXPECT_EQ(prompts.messages.size(), 1u);

    editor.Vyjmout();
    editor.Vyjmout();
    EXPECT_EQ(editor.Seznam(), "");
    EXPECT_FALSE(remove->isEnabled());
}

TEST_F(PickLists, ListsReadTheirCodeTables) {
    agenda.codes("002", "ZAKAZKY", {{"Z2", "Druhá"}, {"a1", "Alfa"}, {"Z1", "První"}});
    ASSERT_TRUE(compute::NacistSeznam(data, 3, list));
    EXPECT_EQ(codes(), (QStringList{"a1", "Z1", "Z2"}));
    EXPECT_FALSE(data.Tabulka->IsOpen());

    // Accounts: income-statement accounts only.
    ASSERT_TRUE(compute::NacistSeznam(data, 6, list));
    EXPECT_EQ(codes(), (QStringList{"501100", "518300", "518400", "521000", "602100", "604000"}));
    EXPECT_EQ(compute::DruhSeznamu(6)->titulek, "Účetní osnova - výsledovkové účty");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PickLists, AMissingTableIsReported) {
    data.Kontext.AdresarRoku = agenda.root() + "CHYBI/";
    EXPECT_FALSE(compute::NacistSeznam(data, 1, list));
    EXPECT_EQ(
        prompts.texts(app::MessageKind::Error),
        QStringList{"Nastala chyba při otevírání databáze " + agenda.root() + "CHYBI/SZCINN.DAT"});
    compute::TSeznamy seznamy(data, nullptr);
    prompts.messages.clear();
    EXPECT_EQ(seznamy.VybratZeSeznamu(1, ""), "");
    EXPECT_EQ(prompts.workingMessages.value(0), "Načtení seznamu\rčekejte prosím...");
    EXPECT_FALSE(prompts.workingVisible);
}

TEST_F(PickLists, PickListStartsOnTheStartCodeAndSearches) {
    agenda.codes("002", "SZSTRED",
                 {{"S3", "Brno"}, {"S1", "Praha"}, {"s2", "Ostrava"}, {"B9", "Anenská"}});
    ASSERT_TRUE(compute::NacistSeznam(data, 2, list));
    {
        compute::TfrmSeznam1 window(list, "Seznam středisek", "S2", nullptr);
        EXPECT_EQ(window.AktualniKod(), "s2");
        EXPECT_TRUE(window.findChild<QPushButton*>("btnOK")->isEnabled());
    }
    compute::TfrmSeznam1 window(list, "Seznam středisek", "nic", nullptr);
    EXPECT_EQ(window.AktualniKod(), "B9"); // not found: the first record
    window.show();
    window.ZacitHledani("s");
    EXPECT_TRUE(window.HledaciPolicko()->isVisible());
    EXPECT_EQ(window.AktualniKod(), "S1");
    window.HledaciPolicko()->setText("s3");
    EXPECT_EQ(window.AktualniKod(), "S3");
    EXPECT_EQ(window.Mrizka()->currentIndex().row(), 3);

    // Sorting by the name: that column moves first and the search follows it.
    QHeaderView* header = window.Mrizka()->horizontalHeader();
    emit header->sectionClicked(1);
    EXPECT_EQ(header->visualIndex(1), 0);
    EXPECT_EQ(window.AktualniKod(), "S3"); // the current record stays
    window.ZacitHledani("o");
    EXPECT_EQ(window.AktualniKod(), "s2");
}

TEST_F(PickLists, BooleanSortColumnSearchesAnoAndNe) {
    ui::TMemTable flags({{"Zkratka", host::FieldType::Boolean}, {"Nazev", host::FieldType::Text}});
    flags.appendRecord({host::Variant(true), host::Variant(QString("první"))});
    flags.appendRecord({host::Variant(false), host::Variant(QString("druhý"))});
    compute::TfrmSeznam1 window(flags, "Příznaky", "", nullptr);
    window.show();
    struct Case {
        const char* text;
        const char* name; // the current record's name afterwards
    };
    const Case cases[] = {{"ne", "druhý"}, {"ANO", "první"}, {"N", "první"}, {"nE", "druhý"}};
    for (const Case& c : cases) {
        window.ZacitHledani(c.text);
        EXPECT_EQ(flags.value(u"Nazev").toString(), QString::fromUtf8(c.name)) << c.text;
    }
}

TEST_F(PickLists, AnEmptyListCannotBeConfirmed) {
    ASSERT_TRUE(compute::NacistSeznam(data, 1, list));
    compute::TfrmSeznam1 window(list, "Seznam činností", "", nullptr);
    EXPECT_FALSE(window.findChild<QPushButton*>("btnOK")->isEnabled());
    EXPECT_EQ(window.AktualniKod(), "");
}

} // namespace
