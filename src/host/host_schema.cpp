#include "host/host_schema.h"

#include <QStringList>

namespace arvelo::host::schema {

namespace {

// Builds one table definition field by field, in the host's field order.
class TableBuilder {
public:
    TableBuilder(const QString& name, FolderLevel level) {
        m_def.name = name;
        m_def.level = level;
    }

    TableBuilder& text(const QString& name, int size) { return add(name, FieldType::Text, size); }
    TableBuilder& integer(const QString& name) { return add(name, FieldType::Integer, 0); }
    TableBuilder& amount(const QString& name) { return add(name, FieldType::Amount, 0); }
    TableBuilder& date(const QString& name) { return add(name, FieldType::Date, 0); }
    TableBuilder& flag(const QString& name) { return add(name, FieldType::Boolean, 0); }

    // The host names an index by its fields joined with "+".
    TableBuilder& index(const QString& name) {
        m_def.indexes.push_back(IndexDef{name, name.split(u'+')});
        return *this;
    }

    TableDef done() { return std::move(m_def); }

private:
    TableBuilder& add(const QString& name, FieldType type, int size) {
        m_def.fields.push_back(FieldDef{name, type, size});
        return *this;
    }

    TableDef m_def;
};

QString numbered(const char* pattern, int n) {
    return QString::fromLatin1(pattern).arg(n);
}

// Currency of a document: code (empty for the home currency), units and rate.
void addCurrency(TableBuilder& b) {
    b.text(QStringLiteral("Mena"), size::Currency).integer(QStringLiteral("PocetJedn"));
    b.amount(QStringLiteral("Kurs"));
}

// Nature and display position of the VAT rows beyond the two basic rates.
void addVatNatureAndOrder(TableBuilder& b) {
    for (int n = 3; n <= 6; ++n) {
        b.integer(numbered("PovahDPH_%1", n));
    }
    for (int n = 1; n <= 6; ++n) {
        b.integer(numbered("PorDPH_%1", n));
    }
}

// VAT breakdown of issued and received invoices.
void addInvoiceVat(TableBuilder& b) {
    b.amount(QStringLiteral("Zaklad_0")).amount(QStringLiteral("ValutyZak0"));
    for (int n = 1; n <= 6; ++n) {
        b.amount(numbered("SazbaDPH%1", n)).amount(numbered("Zaklad_%1", n));
        b.amount(numbered("DPH_%1", n)).amount(numbered("ValutyZak%1", n));
        b.amount(numbered("ValutyDPH%1", n));
    }
    addVatNatureAndOrder(b);
    addCurrency(b);
}

// VAT breakdown of stock documents: the two basic rates keep their old names.
void addStockVat(TableBuilder& b) {
    b.amount(QStringLiteral("Zaklad0")).amount(QStringLiteral("ValutyZak0"));
    b.amount(QStringLiteral("SazbaDPH1")).amount(QStringLiteral("Zaklad5"));
    b.amount(QStringLiteral("DPH5")).amount(QStringLiteral("ValutyZak1"));
    b.amount(QStringLiteral("ValutyDPH1"));
    b.amount(QStringLiteral("SazbaDPH2")).amount(QStringLiteral("Zaklad22"));
    b.amount(QStringLiteral("DPH22")).amount(QStringLiteral("ValutyZak2"));
    b.amount(QStringLiteral("ValutyDPH2"));
    for (int n = 3; n <= 6; ++n) {
        b.amount(numbered("SazbaDPH%1", n)).amount(numbered("Zaklad_%1", n));
        b.amount(numbered("DPH_%1", n)).amount(numbered("ValutyZak%1", n));
        b.amount(numbered("ValutyDPH%1", n));
    }
    addVatNatureAndOrder(b);
    addCurrency(b);
}

// VAT breakdown of bank, cash and internal documents, payables and receivables.
void addBookVat(TableBuilder& b) {
    b.amount(QStringLiteral("Zakl0")).amount(QStringLiteral("ValutyZak0"));
    b.amount(QStringLiteral("SSazba")).amount(QStringLiteral("ZaklSS"));
    b.amount(QStringLiteral("DPHSS")).amount(QStringLiteral("ValutyZak1"));
    b.amount(QStringLiteral("ValutyDPH1"));
    b.amount(QStringLiteral("ZSazba")).amount(QStringLiteral("ZaklZS"));
    b.amount(QStringLiteral("DPHZS")).amount(QStringLiteral("ValutyZak2"));
    b.amount(QStringLiteral("ValutyDPH2"));
    for (int n = 3; n <= 6; ++n) {
        b.amount(numbered("SazbaDPH_%1", n)).amount(numbered("Zaklad_%1", n));
        b.amount(numbered("DPH_%1", n)).amount(numbered("ValutyZak%1", n));
        b.amount(numbered("ValutyDPH%1", n));
    }
    addVatNatureAndOrder(b);
    addCurrency(b);
}

void addCodes(TableBuilder& b) {
    b.text(QStringLiteral("Stred"), size::Code).text(QStringLiteral("Zakazka"), size::Code);
    b.text(QStringLiteral("Cinnost"), size::Code);
}

// The partner block of bank, cash and internal documents, payables and receivables.
void addBookPartner(TableBuilder& b) {
    b.text(QStringLiteral("AdNazev"), size::Name)
        .text(QStringLiteral("AdUlice"), size::Description);
    b.text(QStringLiteral("AdMesto"), size::Description).text(QStringLiteral("AdPSC"), size::Code);
    b.text(QStringLiteral("AdStat"), size::Description)
        .text(QStringLiteral("AdICO"), size::CompanyId);
    b.text(QStringLiteral("AdDIC"), size::VatId);
}

// Header of the five registers read with the "book" field names.
enum class Book { Bank, Cash, Internal, Payable, Receivable };

TableDef bookHeader(const QString& name, Book kind) {
    const bool payment = kind == Book::Bank || kind == Book::Cash;
    const bool cash = kind == Book::Cash;
    const bool internal = kind == Book::Internal;
    const bool claim = kind == Book::Payable || kind == Book::Receivable;
    const bool receivable = kind == Book::Receivable;
    TableBuilder b(name, FolderLevel::Year);
    b.integer(QStringLiteral("Cislo"));
    if (payment) {
        b.flag(QStringLiteral("Vydej"));
    }
    b.text(QStringLiteral("Doklad"), size::Code).text(QStringLiteral("Popis"), size::Description);
    addBookPartner(b);
    if (!internal) {
        b.date(QStringLiteral("DatVyst"));
    }
    b.date(QStringLiteral("DatUcPr")).date(QStringLiteral("DatPln"));
    if (payment) {
        b.date(QStringLiteral("DatPlat"));
    }
    if (claim) {
        b.date(QStringLiteral("DatSpl")).date(QStringLiteral("UhDatum"));
        b.text(QStringLiteral("UcPokl"), size::Code);
    }
    if (payment) {
        b.text(cash ? QStringLiteral("Pokl") : QStringLiteral("Ucet"), size::Code);
    }
    b.text(QStringLiteral("Cleneni"), size::Code).text(QStringLiteral("PrKont"), size::Code);
    b.text(QStringLiteral("VarSym"), size::Symbol).text(QStringLiteral("ParSym"), size::Symbol);
    addCodes(b);
    if (claim) {
        b.text(receivable ? QStringLiteral("CObjed") : QStringLiteral("PrDokl"), size::Symbol);
    }
    b.text(QStringLiteral("Pozn"), size::Note).text(QStringLiteral("Vyst"), size::Description);
    addBookVat(b);
    b.index(QStringLiteral("Cislo"));
    return b.done();
}

// Items of the five "book" registers, filed under the document's number.
TableDef bookItems(const QString& name) {
    TableBuilder b(name, FolderLevel::Year);
    b.integer(QStringLiteral("CISLO")).integer(QStringLiteral("Poradi"));
    b.text(QStringLiteral("Popis"), size::Description).text(QStringLiteral("TextMJ"), size::Code);
    b.amount(QStringLiteral("PocetMJ")).amount(QStringLiteral("SazbaDPH"));
    b.amount(QStringLiteral("Cena")).integer(QStringLiteral("CenaTyp"));
    addCodes(b);
    b.text(QStringLiteral("Cleneni"), size::Code).text(QStringLiteral("PrKont"), size::Code);
    b.amount(QStringLiteral("Valuty"));
    b.index(QStringLiteral("CISLO"));
    return b.done();
}

// Distribution lines with accounts, for documents without items.
TableDef distribution(const QString& name) {
    TableBuilder b(name, FolderLevel::Year);
    b.integer(QStringLiteral("CisDokladu")).text(QStringLiteral("Popis"), size::Description);
    b.amount(QStringLiteral("SazbaDPH")).amount(QStringLiteral("Castka"));
    b.flag(QStringLiteral("TypCena"));
    addCodes(b);
    b.amount(QStringLiteral("CastkaCM"));
    b.text(QStringLiteral("UcMD"), size::Account).text(QStringLiteral("UcD"), size::Account);
    b.index(QStringLiteral("CisDokladu"));
    return b.done();
}

TableDef invoiceHeader(const QString& name, bool issued) {
    const QString p = issued ? QStringLiteral("O_") : QStringLiteral("D_");
    TableBuilder b(name, FolderLevel::Year);
    b.integer(QStringLiteral("Cislo")).text(QStringLiteral("Doklad"), size::Code);
    b.text(QStringLiteral("Popis"), size::Description);
    b.text(p + QStringLiteral("NazevOb"), size::Name)
        .text(p + QStringLiteral("Jmeno"), size::Description);
    b.text(p + QStringLiteral("UliceOb"), size::Description);
    b.text(p + QStringLiteral("MestoOb"), size::Description);
    b.text(p + QStringLiteral("PscOb"), size::Code)
        .text(p + QStringLiteral("StatOb"), size::Description);
    b.text(p + QStringLiteral("ICO"), size::CompanyId).text(p + QStringLiteral("DIC"), size::VatId);
    b.date(QStringLiteral("Vystaveno")).date(QStringLiteral("DatUcPr"));
    b.date(QStringLiteral("PlnenoDPH")).date(QStringLiteral("Splatno"));
    b.date(QStringLiteral("Uhrazeno"));
    b.text(QStringLiteral("Ucet"), size::Code).text(QStringLiteral("KodDPH"), size::Code);
    b.text(QStringLiteral("PredKontac"), size::Code);
    b.text(QStringLiteral("VarSymbol"), size::Symbol)
        .text(QStringLiteral("ParSymbol"), size::Symbol);
    b.text(QStringLiteral("Stredisko"), size::Code).text(QStringLiteral("Zakazka"), size::Code);
    b.text(QStringLiteral("Cinnost"), size::Code);
    if (issued) {
        b.text(QStringLiteral("CObjednavk"), size::Symbol);
        b.text(QStringLiteral("ZpDopravy"), size::Description);
    } else {
        b.text(QStringLiteral("PrijatDokl"), size::Symbol);
        b.text(QStringLiteral("Poznamka"), size::Note);
    }
    b.text(QStringLiteral("Uhrada"), size::Description)
        .text(QStringLiteral("Vystavil"), size::Description);
    if (issued) {
        b.text(QStringLiteral("TextPredFa"), size::Note)
            .text(QStringLiteral("TextZaFa"), size::Note);
    }
    b.date(QStringLiteral("DatSkPoh"));
    addInvoiceVat(b);
    b.index(QStringLiteral("Cislo"));
    return b.done();
}

TableDef invoiceItems(const QString& name) {
    TableBuilder b(name, FolderLevel::Year);
    b.integer(QStringLiteral("Cislo")).integer(QStringLiteral("Poradi"));
    b.text(QStringLiteral("Popis"), size::Description)
        .text(QStringLiteral("CisloKat"), size::Symbol);
    b.text(QStringLiteral("TextMJ"), size::Code).amount(QStringLiteral("PocetMJ"));
    b.amount(QStringLiteral("SazbaDPH")).amount(QStringLiteral("Cena"));
    b.integer(QStringLiteral("CenaTyp")).amount(QStringLiteral("Sleva"));
    b.text(QStringLiteral("Stredisko"), size::Code).text(QStringLiteral("Zakazka"), size::Code);
    b.text(QStringLiteral("Cinnost"), size::Code).text(QStringLiteral("KodDPH"), size::Code);
    b.text(QStringLiteral("PredKontac"), size::Code).amount(QStringLiteral("Valuty"));
    b.index(QStringLiteral("Cislo+Poradi"));
    return b.done();
}

TableDef stockHeader() {
    TableBuilder b(QStringLiteral("SKSEZDOK"), FolderLevel::Year);
    b.integer(QStringLiteral("CDokladu")).text(QStringLiteral("Typ"), 1);
    b.text(QStringLiteral("DSkamaPohy"), size::Code).integer(QStringLiteral("CFaktury"));
    b.text(QStringLiteral("CisloDokla"), size::Code)
        .text(QStringLiteral("PopisX"), size::Description);
    b.text(QStringLiteral("O_NazevOb"), size::Name)
        .text(QStringLiteral("A_Jmeno"), size::Description);
    b.text(QStringLiteral("O_UliceOb"), size::Description);
    b.text(QStringLiteral("O_MestoOb"), size::Description);
    b.text(QStringLiteral("O_PscOb"), size::Code)
        .text(QStringLiteral("O_StatOb"), size::Description);
    b.text(QStringLiteral("A_ICO"), size::CompanyId).text(QStringLiteral("A_DIC"), size::VatId);
    b.date(QStringLiteral("Datum")).text(QStringLiteral("ParSymbol"), size::Symbol);
    b.text(QStringLiteral("Stredisko"), size::Code).text(QStringLiteral("Zakazka"), size::Code);
    b.text(QStringLiteral("Cinnost"), size::Code).text(QStringLiteral("PrimDoklad"), size::Symbol);
    b.text(QStringLiteral("Popis"), size::Note).text(QStringLiteral("Vystavil"), size::Description);
    b.text(QStringLiteral("TextPredPo"), size::Note).text(QStringLiteral("TextZaPol"), size::Note);
    b.date(QStringLiteral("DatSkPoh")).text(QStringLiteral("VyrizFaktu"), size::Symbol);
    addStockVat(b);
    b.index(QStringLiteral("CDokladu"));
    return b.done();
}

TableDef stockItems() {
    TableBuilder b(QStringLiteral("SKSEZPOL"), FolderLevel::Year);
    b.text(QStringLiteral("TypDokladu"), size::Code).integer(QStringLiteral("CDokladu"));
    b.integer(QStringLiteral("CisloPoloz")).integer(QStringLiteral("MasterCisl"));
    b.integer(QStringLiteral("Poradi")).text(QStringLiteral("Nazev"), size::Description);
    b.text(QStringLiteral("Katalog"), size::Symbol).text(QStringLiteral("MJ"), size::Code);
    b.amount(QStringLiteral("PocetMJ")).amount(QStringLiteral("DPH"));
    b.amount(QStringLiteral("Cena")).integer(QStringLiteral("CenaTyp"));
    b.amount(QStringLiteral("Sleva"));
    b.text(QStringLiteral("Stredisko"), size::Code).text(QStringLiteral("Zakazka"), size::Code);
    b.text(QStringLiteral("Cinnost"), size::Code).amount(QStringLiteral("Valuty"));
    b.text(QStringLiteral("UcetMD"), size::Account).text(QStringLiteral("UcetD"), size::Account);
    b.index(QStringLiteral("TypDokladu+CDokladu+CisloPoloz"));
    return b.done();
}

// The host's settings in table form: one record per key. The value is a
// variant in the host; it is kept as text here, which every reader converts
// to the type it asks for (integers, day numbers and "True"/"False" parse back
// exactly).
TableDef settings(const QString& name, FolderLevel level) {
    TableBuilder b(name, level);
    b.text(QStringLiteral("Section1"), size::Description);
    b.text(QStringLiteral("Variable"), size::Description);
    b.text(QStringLiteral("TypeVar"), size::Code);
    b.text(QStringLiteral("Value"), size::SettingValue);
    b.index(QStringLiteral("Section1+Variable"));
    return b.done();
}

TableDef codeList(const QString& name) {
    TableBuilder b(name, FolderLevel::Year);
    b.text(QStringLiteral("Zkrat"), size::Code).text(QStringLiteral("Nazev"), size::Name);
    b.text(QStringLiteral("Pozn"), size::Note);
    b.index(QStringLiteral("Zkrat"));
    return b.done();
}

TableDef orders() {
    TableBuilder b(QStringLiteral("ZAKAZKY"), FolderLevel::Year);
    b.text(QStringLiteral("Zkrat"), size::Code).text(QStringLiteral("Nazev"), size::Name);
    b.text(QStringLiteral("CObjednavk"), size::Symbol).text(QStringLiteral("StavZak"), 1);
    b.text(QStringLiteral("DruhZak"), size::Code).text(QStringLiteral("OdpOs"), size::Description);
    b.date(QStringLiteral("DatPlZah")).date(QStringLiteral("DatZah"));
    b.date(QStringLiteral("DatPlPred")).date(QStringLiteral("DatPred"));
    b.flag(QStringLiteral("Zaruka")).date(QStringLiteral("ZarukaDo"));
    b.text(QStringLiteral("Hodnoceni"), size::Description).text(QStringLiteral("Pozn"), size::Note);
    b.index(QStringLiteral("Zkrat"));
    return b.done();
}

TableDef chartOfAccounts() {
    TableBuilder b(QStringLiteral("UCOSNOVA"), FolderLevel::Year);
    b.text(QStringLiteral("Ucet"), size::Account).text(QStringLiteral("Nazev"), size::Name);
    b.integer(QStringLiteral("DruhUctu")).integer(QStringLiteral("UcetTyp"));
    b.integer(QStringLiteral("UcetPodTyp")).text(QStringLiteral("Pozn"), size::Note);
    b.index(QStringLiteral("Ucet"));
    return b.done();
}

// The journal. AdCislo is kept as text because the host distinguishes an
// address number of 0 from a missing one and the readers compare its text.
TableDef journal() {
    TableBuilder b(QStringLiteral("UCDENIK"), FolderLevel::Year);
    b.integer(QStringLiteral("Cislo")).date(QStringLiteral("Datum"));
    b.text(QStringLiteral("Zdroj"), size::Source).text(QStringLiteral("Doklad"), size::Code);
    b.text(QStringLiteral("Popis"), size::Description);
    b.text(QStringLiteral("UcMD"), size::Account).text(QStringLiteral("UcD"), size::Account);
    b.amount(QStringLiteral("Castka"));
    addCodes(b);
    b.text(QStringLiteral("ParSym"), size::Symbol).text(QStringLiteral("ParICO"), size::CompanyId);
    b.text(QStringLiteral("AdCislo"), size::Code).integer(QStringLiteral("ZRadek"));
    b.flag(QStringLiteral("Del")).flag(QStringLiteral("Free"));
    b.index(QStringLiteral("UcMD")).index(QStringLiteral("UcD")).index(QStringLiteral("Cislo"));
    return b.done();
}

TableDef addressBook() {
    TableBuilder b(QStringLiteral("ADRESARF"), FolderLevel::Agenda);
    b.integer(QStringLiteral("Cislo")).text(QStringLiteral("ObchNazev"), size::Name);
    b.text(QStringLiteral("Jmeno"), size::Description)
        .text(QStringLiteral("Ulice"), size::Description);
    b.text(QStringLiteral("Mesto"), size::Description).text(QStringLiteral("PSC"), size::Code);
    b.text(QStringLiteral("Stat"), size::Description).text(QStringLiteral("ICO"), size::CompanyId);
    b.text(QStringLiteral("DIC"), size::VatId);
    b.index(QStringLiteral("Cislo")).index(QStringLiteral("ICO"));
    return b.done();
}

// VAT periods of the multi-rate model: the rates valid from a date on.
TableDef vatPeriods() {
    TableBuilder b(QStringLiteral("UCDPHOBD"), FolderLevel::Agenda);
    b.date(QStringLiteral("DatumOd")).date(QStringLiteral("DatumDo"));
    b.amount(QStringLiteral("SSazba")).amount(QStringLiteral("ZSazba"));
    for (int n = 3; n <= 6; ++n) {
        b.amount(numbered("SazbaDPH_%1", n));
    }
    b.index(QStringLiteral("DatumOd"));
    return b.done();
}

// Levels of the newer rights layout kept in PRISTUP ("A", "R" or another text).
const char* const NewerUserLevels[] = {
    "VystaveneF", "SzSkladDok", "JUPDTisk",   "Elektronic", "Pristupova", "SeznamPrij",
    "SeznamNabi", "SeznamVyst", "SkPrehledo", "Verifikace", "SeznamPokl", "JUSzPkDok",
    "SeznamBank", "JUSeznamBa", "SeznamZava", "JUSeznamZa", "SeznamPohl", "JUSzPohled",
    "InterniDok", "PrijateFak", "Vysledovka", "KUhradDluz", "JUKUhradDl"};
const char* const NewerSecondLevels[] = {"SeznamPPop", "SeznamVPop", "SeznamPNab", "JUInterniD",
                                         "KonfUdZas"};
const char* const UserFlags[] = {"VisPorCenu", "UzamceniDo", "ZobrAkce"};

void addIdentity(TableBuilder& b, const QString& idField) {
    b.integer(idField).text(QStringLiteral("KonfigName"), size::Description);
    b.text(QStringLiteral("Jmeno"), size::Description).text(QStringLiteral("Poznamka"), size::Note);
    b.text(QStringLiteral("Password"), size::Description);
}

TableDef newerUsers() {
    TableBuilder b(QStringLiteral("PRISTUP"), FolderLevel::DataRoot);
    addIdentity(b, QStringLiteral("ID"));
    for (const char* name : NewerUserLevels) {
        b.text(QString::fromLatin1(name), 1);
    }
    for (const char* name : UserFlags) {
        b.flag(QString::fromLatin1(name));
    }
    b.index(QStringLiteral("Jmeno")).index(QStringLiteral("Password")).index(QStringLiteral("ID"));
    return b.done();
}

TableDef newerSecondRights() {
    TableBuilder b(QStringLiteral("PRISTUP2"), FolderLevel::DataRoot);
    b.integer(QStringLiteral("ID")).text(QStringLiteral("Password"), size::Description);
    for (const char* name : NewerSecondLevels) {
        b.text(QString::fromLatin1(name), 1);
    }
    b.index(QStringLiteral("ID"));
    return b.done();
}

TableDef olderUsers() {
    TableBuilder b(QStringLiteral("PRISUZIV"), FolderLevel::DataRoot);
    addIdentity(b, QStringLiteral("ID_Pristup"));
    b.text(QStringLiteral("UzivOS"), size::Description).integer(QStringLiteral("PrihlZp"));
    for (const char* name : UserFlags) {
        b.flag(QString::fromLatin1(name));
    }
    b.index(QStringLiteral("Jmeno")).index(QStringLiteral("Password"));
    b.index(QStringLiteral("UzivOS")).index(QStringLiteral("ID_Pristup"));
    return b.done();
}

TableDef olderRightItems() {
    TableBuilder b(QStringLiteral("PRISPOL"), FolderLevel::DataRoot);
    b.integer(QStringLiteral("FL_Pristup")).text(QStringLiteral("Polozka"), size::Symbol);
    b.text(QStringLiteral("Hodnota"), size::Code);
    b.index(QStringLiteral("FL_Pristup+Polozka"));
    return b.done();
}

std::vector<TableDef> buildCatalogue() {
    std::vector<TableDef> t;
    // Data root: the host's users and rights, both layouts.
    t.push_back(newerUsers());
    t.push_back(newerSecondRights());
    t.push_back(olderRightItems());
    t.push_back(olderUsers());
    // Agenda.
    t.push_back(addressBook());
    t.push_back(settings(QStringLiteral("AGENDA"), FolderLevel::Agenda));
    t.push_back(vatPeriods());
    // Accounting year.
    t.push_back(bookHeader(QStringLiteral("BANKKNIH"), Book::Bank));
    t.push_back(bookHeader(QStringLiteral("INTDOKL"), Book::Internal));
    t.push_back(bookHeader(QStringLiteral("KNIHPOHL"), Book::Receivable));
    t.push_back(bookHeader(QStringLiteral("KNIHZAV"), Book::Payable));
    t.push_back(invoiceHeader(QStringLiteral("PFAKTURY"), false));
    t.push_back(invoiceItems(QStringLiteral("PFAKTPOL")));
    t.push_back(bookHeader(QStringLiteral("POKLKNIH"), Book::Cash));
    for (const char* code : {"BK", "ID", "KP", "KZ", "PK"}) {
        t.push_back(bookItems(QStringLiteral("POLUCD") + QLatin1String(code)));
    }
    t.push_back(settings(QStringLiteral("ROK"), FolderLevel::Year));
    for (const char* code : {"BK", "ID", "KP", "KZ", "PK"}) {
        t.push_back(distribution(QStringLiteral("ROZPU") + QLatin1String(code)));
    }
    t.push_back(stockHeader());
    t.push_back(stockItems());
    t.push_back(codeList(QStringLiteral("SZCINN")));
    t.push_back(codeList(QStringLiteral("SZSTRED")));
    t.push_back(journal());
    t.push_back(chartOfAccounts());
    t.push_back(invoiceHeader(QStringLiteral("VFAKTURY"), true));
    t.push_back(invoiceItems(QStringLiteral("VFAKTPOL")));
    t.push_back(orders());
    return t;
}

} // namespace

const std::vector<TableDef>& tables() {
    static const std::vector<TableDef> catalogue = buildCatalogue();
    return catalogue;
}

const TableDef* find(const QString& name) {
    for (const TableDef& def : tables()) {
        if (def.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &def;
        }
    }
    return nullptr;
}

} // namespace arvelo::host::schema
