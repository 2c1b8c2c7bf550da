#include "report/paper/formaty_papiru.h"

namespace arvelo::report {

namespace {

const QString kSekce = QStringLiteral("FormatyPapiru");
const QString kPocet = QStringLiteral("PocetFormatu");
const QString kVychoziHodnota = QStringLiteral("Uživat. (210 x 297 mm)");

QString KlicFormatu(int n) {
    return QStringLiteral("Format%1").arg(n);
}

int CtiCislo(const QString& token) {
    bool ok = false;
    const int n = token.trimmed().toInt(&ok);
    return ok ? n : 0;
}

bool ObsaheCislo(long long value, long long wanted) {
    // value within 99 %-101 % of wanted, in integers so no rounding decides a border case.
    return value * 100 >= wanted * 99 && value * 100 <= wanted * 101;
}

} // namespace

const std::vector<TFormatPapiru>& TListFormatu::Vestavene() {
    static const std::vector<TFormatPapiru> kVestavene = {
        {QStringLiteral("Uživat. (210 x 297 mm)"), 826, 1169},
        {QStringLiteral("Skládaný (8.5 x 12\")"), 850, 1200},
        {QStringLiteral("Skládaný (15 x 12\")"), 1500, 1200},
        {QStringLiteral("Letter (8.5 x 11\")"), 850, 1100},
        {QStringLiteral("Legal (8.5 x 14\")"), 850, 1400},
        {QStringLiteral("Executive (7.25 x 10.5\")"), 725, 1050},
        {QStringLiteral("A2 (420 x 594 mm)"), 1652, 2338},
        {QStringLiteral("A3 (297 x 420 mm)"), 1169, 1652},
        {QStringLiteral("A4 (210 x 297 mm)"), 826, 1169},
        {QStringLiteral("A5 (148.5 x 210 mm)"), 584, 826},
        {QStringLiteral("A6 (105 x 148.5mm)"), 413, 584},
        {QStringLiteral("B5 (182 x 257 mm)"), 716, 1011},
        {QStringLiteral("Obálka (162 x 114 mm)"), 637, 433},
        {QStringLiteral("Obálka (220 x 110 mm)"), 866, 433},
        {QStringLiteral("Obálka (228 x 162 mm)"), 896, 637},
        {QStringLiteral("Obálka otoč.(114 x 162 mm)"), 433, 637},
        {QStringLiteral("Obálka otoč.(110 x 220 mm)"), 433, 866},
        {QStringLiteral("Obálka otoč.(162 x 228 mm)"), 637, 896},
    };
    return kVestavene;
}

TListFormatu::TListFormatu() : formaty_(Vestavene()) {}

TListFormatu TListFormatu::ZIniSouboru(const QString& iniFileName) {
    TListFormatu list;
    TIniSoubor ini;
    if (ini.Nacti(iniFileName))
        list.NactiUzivatelske(ini);
    return list;
}

TFormatPapiru TListFormatu::CtiHodnotu(const QString& value) {
    QStringList tokens;
    QString current;
    bool quoted = false;
    for (QChar ch : value) {
        if (ch == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (ch == QLatin1Char(',') && !quoted) {
            tokens.append(current);
            current.clear();
        } else {
            current.append(ch);
        }
    }
    tokens.append(current);
    TFormatPapiru f;
    f.nazev = tokens.value(0).left(kMaxDelkaNazvuFormatu);
    f.sirka = CtiCislo(tokens.value(1));
    f.vyska = CtiCislo(tokens.value(2));
    return f;
}

QString TListFormatu::ZapisHodnotu(const TFormatPapiru& format) {
    QString name = format.nazev;
    // A name with a comma would not read back as one token; quoting keeps it whole.
    if (name.contains(QLatin1Char(',')))
        name = QLatin1Char('"') + name.remove(QLatin1Char('"')) + QLatin1Char('"');
    return name + QLatin1Char(',') + QString::number(format.sirka) + QLatin1Char(',') +
           QString::number(format.vyska);
}

void TListFormatu::NactiUzivatelske(const TIniSoubor& ini) {
    formaty_.resize(kPocetVestavenychFormatu);
    const int count = ini.CeleCislo(kSekce, kPocet, 0);
    // A damaged count must not make us allocate without bound.
    for (int n = 1; n <= count && n <= 10000; ++n)
        formaty_.push_back(CtiHodnotu(ini.Hodnota(kSekce, KlicFormatu(n), kVychoziHodnota)));
}

void TListFormatu::ZapisUzivatelske(TIniSoubor& ini) const {
    const int count = Count() - kPocetVestavenychFormatu;
    const int oldCount = ini.CeleCislo(kSekce, kPocet, 0);
    ini.Nastav(kSekce, kPocet, QString::number(count));
    for (int n = 1; n <= count; ++n) {
        const TFormatPapiru& f =
            formaty_[static_cast<std::size_t>(kPocetVestavenychFormatu + n - 1)];
        const auto old = ini.Hodnota(kSekce, KlicFormatu(n));
        if (old && CtiHodnotu(*old) == f)
            continue;
        ini.Nastav(kSekce, KlicFormatu(n), ZapisHodnotu(f));
    }
    // Keys of formats that were removed would otherwise linger in the file.
    for (int n = count + 1; n <= oldCount && n <= 10000; ++n)
        ini.Smaz(kSekce, KlicFormatu(n));
}

bool TListFormatu::UlozDoIni(const QString& iniFileName) const {
    TIniSoubor ini;
    if (!ini.Nacti(iniFileName))
        return false;
    ZapisUzivatelske(ini);
    if (!ini.Zmeneno())
        return true;
    return ini.Uloz(iniFileName);
}

void TListFormatu::Pridej(TFormatPapiru format) {
    format.nazev = format.nazev.left(kMaxDelkaNazvuFormatu);
    formaty_.push_back(std::move(format));
}

bool TListFormatu::Odeber(int i) {
    if (!JeUzivatelsky(i))
        return false;
    formaty_.erase(formaty_.begin() + i);
    return true;
}

int TListFormatu::NajdiPodleRozmeru(int sirka, int vyska) {
    // Entry 0 is the placeholder of a user-defined A4; searching from it would show every
    // A4-like paper as "Uživat." instead of "A4 (210 x 297 mm)".
    for (int i = 1; i < Count(); ++i) {
        const auto& f = formaty_[static_cast<std::size_t>(i)];
        if (ObsaheCislo(f.sirka, sirka) && ObsaheCislo(f.vyska, vyska))
            return i;
    }
    formaty_.push_back({QStringLiteral("uživ. formát"), sirka, vyska});
    return Count() - 1;
}

} // namespace arvelo::report
