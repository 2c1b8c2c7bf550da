#pragma once

#include "report/expr/eval_context.h"
#include "report/expr/system_vars.h"
#include "report/expr/user_functions.h"

#include <QStringList>
#include <ostream>
#include <stdexcept>
#include <vector>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace arvelo::report::test {

// A small report for expressions: a few typed fields, parameter lines, user
// functions and system variables, in a locale the test chooses.
class TTestKontext : public TKontextVypoctu {
public:
    struct TPole {
        QString Nazev;
        int Typ;
        QString Text;
        double Cislo;
        bool Null = false;
        bool Vyjimka = false; // reading the field throws
    };

    std::vector<TPole> Pole;
    QStringList Parametry;
    TListFunkci Funkce;
    TSystemoveHodnoty Systemove;
    QLocale Jazyk = QLocale(QLocale::English, QLocale::UnitedStates);

    int FieldCount() const override { return int(Pole.size()); }
    int FieldIndex(const QString& name) const override {
        for (size_t i = 0; i < Pole.size(); ++i)
            if (Pole[i].Nazev.compare(name, Qt::CaseInsensitive) == 0)
                return int(i);
        return -1;
    }
    int FieldKind(int index) const override {
        return CalcKindOfFieldType(Pole.at(size_t(index)).Typ);
    }
    double FieldNumber(int index) const override {
        Hod(index);
        return Pole.at(size_t(index)).Cislo;
    }
    QString FieldText(int index) const override {
        Hod(index);
        return Pole.at(size_t(index)).Text;
    }
    bool FieldIsNull(int index) const override { return Pole.at(size_t(index)).Null; }
    int ParameterCount() const override { return int(Parametry.size()); }
    QString Parameter(int index) const override { return Parametry.at(index); }
    const TListFunkci* UserFunctions() const override { return &Funkce; }
    int SystemValueCount() const override {
        return PocetSystemovychPromennych(int(Systemove.Skupiny.size()));
    }
    TCalcType SystemValue(int index) const override {
        TCalcType h;
        HodnotaSystemovePromenne(index, Systemove, Jazyk, &h);
        return h;
    }
    QLocale Locale() const override { return Jazyk; }

private:
    void Hod(int index) const {
        if (Pole.at(size_t(index)).Vyjimka)
            throw std::runtime_error("field cannot be read");
    }
};

} // namespace arvelo::report::test
