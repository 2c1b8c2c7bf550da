#include "host/day_date.h"
#include "ui/mem_table.h"
#include "ui/mem_table_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace arvelo::ui {
namespace {

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.setFields({{"Ucet", FieldType::Text, 6},
                         {"Nazev", FieldType::Text, 100},
                         {"Obrat", FieldType::Amount},
                         {"Typ", FieldType::Integer},
                         {"Datum", FieldType::Date},
                         {"Nakladovy", FieldType::Boolean},
                         {"Kurz", FieldType::Float}});
        table.appendRecord({"501100", "Spotřeba materiálu", *Currency::parse("1234567.891"), 1,
                            Value::date(daydate::fromDate(QDate(2024, 3, 31))), true, 25.5});
        table.appendRecord({"601000", "Tržby", *Currency::parse("-0.5"), 1, Value(), false, 0.0});
        model.setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    }
    QString text(int row, int column) const {
        return model.data(model.index(row, column)).toString();
    }
    std::vector<QString> firstColumn() const {
        std::vector<QString> out;
        for (int r = 0; r < model.rowCount(); ++r) {
            out.push_back(text(r, 0));
        }
        return out;
    }
    TMemTable table;
    TMemTableModel model{&table};
    // Checks every signal and answer of the model; a violation aborts the test.
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ModelTest, RowsAreRecordsAndColumnsAreFieldsWithDisplayTexts) {
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), 7);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Nazev");
    EXPECT_EQ(text(0, 1), "Spotřeba materiálu");
    EXPECT_EQ(text(0, 2), QString::fromUtf8("1 234 567,89"));
    EXPECT_EQ(text(1, 2), QString::fromUtf8("-0,50"));
    EXPECT_EQ(text(0, 3), "1");
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    EXPECT_EQ(text(0, 4), czech.toString(QDate(2024, 3, 31), QLocale::ShortFormat));
    EXPECT_EQ(text(1, 4), QString()); // no date
    EXPECT_EQ(text(0, 5), "Ano");
    EXPECT_EQ(text(1, 5), "Ne");
    EXPECT_EQ(text(0, 6), "25,50");
    // The raw value keeps the amount exact.
    EXPECT_EQ(model.data(model.index(0, 2), Qt::EditRole).toString(), "1234567.8910");

    const auto align = [&](int column) {
        return model.data(model.index(0, column), Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(align(0), Qt::AlignLeft);
    EXPECT_EQ(align(2), Qt::AlignRight);
    EXPECT_EQ(align(3), Qt::AlignRight);
    EXPECT_EQ(align(6), Qt::AlignRight);
}

TEST_F(ModelTest, ChosenColumnsWithTitlesAndAlignment) {
    model.setColumns({{"Ucet", QString::fromUtf8("Účet"), Qt::AlignRight, 2},
                      {"Obrat", "Obrat", {}, 0},
                      {"Neni", "x", {}, 2},
                      {"Nazev", {}, {}, 2}});
    ASSERT_EQ(model.columnCount(), 3); // the unknown field is left out
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Účet"));
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Nazev");
    EXPECT_EQ(text(0, 1), QString::fromUtf8("1 234 568"));
    EXPECT_EQ(model.data(model.index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
}

TEST_F(ModelTest, FollowsAppendsEditsDeletesSortAndFilter) {
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    table.sortBy("Ucet");
    const RecId id = table.appendRecord({"518000", "Služby"});
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(firstColumn(), (std::vector<QString>{"501100", "518000", "601000"}));

    table.addCurrencyAt(id, 2, Currency::fromUnits(10));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.front().at(0).value<QModelIndex>().row(), 1);
    EXPECT_EQ(text(1, 2), "10,00");

    // An edit of the sort field moves the row.
    table.setValueAt(id, 0, "700000");
    EXPECT_EQ(firstColumn(), (std::vector<QString>{"501100", "601000", "700000"}));

    table.deleteAt(id);
    EXPECT_EQ(removed.count(), 2); // the move and the delete
    EXPECT_EQ(model.rowCount(), 2);

    table.setFilter("Nakladovy = False");
    table.setFiltered(true);
    EXPECT_EQ(firstColumn(), (std::vector<QString>{"601000"}));
    table.emptyTable(false);
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(ModelTest, ColumnClickSortsAndTheCurrentRowIsReported) {
    QSignalSpy current(&model, &TMemTableModel::currentRowChanged);
    table.last(); // "601000"
    ASSERT_EQ(current.count(), 1);
    EXPECT_EQ(current.takeFirst().at(0).toInt(), 1);
    model.sort(2, Qt::AscendingOrder); // by Obrat: -0.50 first
    EXPECT_EQ(firstColumn(), (std::vector<QString>{"601000", "501100"}));
    EXPECT_EQ(model.currentRow(), 0); // the record stayed current
    ASSERT_FALSE(current.isEmpty());
    EXPECT_EQ(current.last().at(0).toInt(), 0);
    model.sort(0, Qt::DescendingOrder);
    EXPECT_EQ(firstColumn(), (std::vector<QString>{"601000", "501100"}));
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(firstColumn(), (std::vector<QString>{"501100", "601000"}));
    EXPECT_EQ(model.currentRow(), 1);
}

TEST_F(ModelTest, SuspendedTableSendsOneResetAndNoRowSignals) {
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    {
        TControlsDisabled quiet(table);
        for (int i = 0; i < 100; ++i) {
            table.appendRecord({QString::number(700000 + i)});
        }
        table.first();
        table.deleteRecord();
        table.deleteRecord();
        table.deleteRecord();
        // The model keeps its rows until the reset and answers for rows the
        // view no longer holds without reading past it.
        EXPECT_EQ(model.rowCount(), 2);
        EXPECT_EQ(text(1, 0), "700002");
    }
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(model.rowCount(), 99);
    EXPECT_EQ(text(0, 0), "700001");
    {
        TControlsDisabled quiet(table);
        table.emptyTable();
        EXPECT_EQ(model.rowCount(), 99);
        EXPECT_EQ(text(50, 0), QString());
    }
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(MemTableModel, ReplacedFieldsAndADeletedTable) {
    auto table = std::make_unique<TMemTable>(std::vector<TMemField>{{"A", FieldType::Text}});
    TMemTableModel model(table.get());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    table->appendRecord({"x"});
    table->setFields({{"B", FieldType::Integer}, {"C", FieldType::Integer}});
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.rowCount(), 0);
    table->appendRecord({1, 2});
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), "2");
    table.reset();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
}

} // namespace
} // namespace arvelo::ui
