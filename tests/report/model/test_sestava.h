#pragma once

#include "report/model/bridge.h"
#include "report/model/dialogy.h"
#include "report/model/sestava_d.h"

#include <stdexcept>
#include <vector>

namespace arvelo::report::test {

// Answers the engine's questions from a script and records what it was told.
class TTestDialogy : public TSestDialogy {
public:
    QStringList zpravy; // "caption|text"
    QStringList otazky; // "caption|text"
    TOdpoved odpoved = TOdpoved::Ne;
    QString soubor;      // answer of the save dialog
    QString startSoubor; // what the save dialog was opened with

    void Zprava(TDruh, const QString& caption, const QString& text) override {
        zpravy.append(caption + QLatin1Char('|') + text);
    }
    TOdpoved Otazka(const QString& caption, const QString& text, bool) override {
        otazky.append(caption + QLatin1Char('|') + text);
        return odpoved;
    }
    QString UlozitJako(const QString&, const QString&, const QString& start) override {
        startSoubor = start;
        return soubor;
    }
};

// A report of the model alone: parsing belongs to the template format and is not needed here.
class TTestSestava : public TSestavaD {
public:
    using TSestavaD::TSestavaD;
    bool IsDetail() const override { return false; }

protected:
    void ParsePredloha() override {}
};

// A small in-memory data set: rows of texts, one type per column.
class TPametovaData : public TBridge {
public:
    struct Sloupec {
        QString name;
        QString label;
        int type;
    };
    std::vector<Sloupec> sloupce;
    std::vector<std::vector<QVariant>> radky; // an invalid QVariant is null
    int pozice = 0;
    bool aktivni = true;
    bool lzeOtevrit = true;
    int zakazano = 0;
    int throwField = -1; // reading this field throws

    bool Active() const override { return aktivni; }
    bool Open() override {
        aktivni = lzeOtevrit;
        return aktivni;
    }
    void Close() override { aktivni = false; }
    QStringList FieldNames() const override {
        QStringList l;
        for (const auto& s : sloupce)
            l.append(s.name);
        return l;
    }
    QStringList FieldLabels() const override {
        QStringList l;
        for (const auto& s : sloupce)
            l.append(s.label);
        return l;
    }
    TStepResult Bity() const {
        TStepResult r = 0;
        if (radky.empty() || pozice <= 0)
            r |= srBeginning;
        if (radky.empty() || pozice >= static_cast<int>(radky.size()) - 1)
            r |= srEnd;
        return r;
    }
    TStepResult First() override {
        pozice = 0;
        return radky.empty() ? (srBeginning | srEnd) : 0;
    }
    TStepResult Prior() override {
        if (pozice <= 0)
            return srBeginning;
        --pozice;
        return 0;
    }
    TStepResult Next() override {
        if (pozice >= static_cast<int>(radky.size()) - 1)
            return srEnd;
        ++pozice;
        return 0;
    }
    TStepResult Last() override {
        pozice = std::max(0, static_cast<int>(radky.size()) - 1);
        return 0;
    }
    void DisableControls() override { ++zakazano; }
    void EnableControls() override { --zakazano; }
    TBookmark Bookmark() const override { return pozice; }
    void GotoBookmark(const TBookmark& b) override { pozice = b.toInt(); }

    const QVariant& Hodnota(int field) const {
        if (field == throwField)
            throw std::runtime_error("unreadable");
        return radky.at(static_cast<std::size_t>(pozice)).at(static_cast<std::size_t>(field));
    }
    int DataType(int field) const override {
        return sloupce.at(static_cast<std::size_t>(field)).type;
    }
    int Alignment(int) const override { return 1; }
    int DisplayWidth(int) const override { return 12; }
    bool AsBoolean(int f) const override { return Hodnota(f).toBool(); }
    double AsFloat(int f) const override { return Hodnota(f).toDouble(); }
    QString AsString(int f) const override { return Hodnota(f).toString(); }
    QString DisplayText(int f) const override { return Hodnota(f).toString(); }
    bool IsNull(int f) const override { return !Hodnota(f).isValid(); }
    QByteArray BlobContent(int f) const override { return Hodnota(f).toByteArray(); }
    QImage Picture(int) const override { return QImage(); }
};

} // namespace arvelo::report::test
