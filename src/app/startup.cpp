#include "app/startup.h"

#include "app/agenda.h"
#include "app/install_copy.h"
#include "app/locale_format.h"
#include "app/main_data.h"
#include "app/options.h"
#include "app/prompts.h"
#include "host/host_paths.h"
#include "rights/scramble.h"

#include <QDir>
#include <QFileInfo>

namespace arvelo::app {

QString SpojitArgumenty(const QStringList& arguments) {
    QString s;
    for (const QString& a : arguments) {
        s += a + u' ';
    }
    return s;
}

std::vector<TParametr> NacistParametry(const QString& commandLine) {
    std::vector<TParametr> result;
    QString s = commandLine;
    while (!s.isEmpty()) {
        const qsizetype a = s.indexOf(u'?');
        const qsizetype e = s.indexOf(u'=');
        if (a < 0 || e < 0 || e < a) {
            break;
        }
        const QString marker = s.mid(a, e - a);
        const QString rest = s.mid(e + 1);
        const qsizetype end = rest.indexOf(marker, 0, Qt::CaseInsensitive);
        if (end < 0) {
            break;
        }
        result.push_back({marker.mid(1).toUpper(), rest.left(end)});
        s = rest.mid(end + marker.size());
    }
    return result;
}

QString AdresarZRoku(const QString& path, int mode) {
    QString p = host::paths::normalize(path.trimmed());
    while (p.size() > 1 && p.endsWith(u'/')) {
        p.chop(1);
    }
    qsizetype slash = p.lastIndexOf(u'/');
    if (!p.mid(slash + 1).startsWith(QStringLiteral("ROK"), Qt::CaseInsensitive) || slash < 0) {
        return {};
    }
    p = p.left(slash);
    slash = p.lastIndexOf(u'/');
    if (!p.mid(slash + 1).startsWith(QStringLiteral("AGENDA"), Qt::CaseInsensitive)) {
        return {};
    }
    if (mode == 2) {
        return p + u'/';
    }
    if (slash < 0) {
        return {}; // a relative agenda folder has no known parent
    }
    return p.left(slash) + u'/';
}

QString NahraditZnaky(const QString& text, QChar replacement) {
    static constexpr char16_t kZakazane[] = u"\"*/:<>?\\|";
    QString t = text;
    for (QChar& c : t) {
        for (const char16_t z : kZakazane) {
            if (z != 0 && c == QChar(z)) {
                c = replacement;
            }
        }
    }
    return t;
}

const std::vector<TPozadovanyParametr>& PozadovaneParametry() {
    static const std::vector<TPozadovanyParametr> kList = {
        {QStringLiteral("MAIN"), QStringLiteral("?MAIN=<Main>?MAIN")},
        {QStringLiteral("AKTROK"), QStringLiteral("?AKTROK=<AktRok>?AKTROK")},
        {QStringLiteral("MVERZE"), QStringLiteral("?MVERZE=<MVERZE>?MVERZE")},
        {QStringLiteral("AKTDATUMM"), QStringLiteral("?AKTDATUMM=<AktDatumM>?AKTDATUMM")},
        {QStringLiteral("AKTHESLO"), QStringLiteral("?AKTHESLO=<AKTHESLO>?AKTHESLO")},
        {QStringLiteral("AKTCFGNAME"), QStringLiteral("?AKTCFGNAME=<AKTCFGNAME>?AKTCFGNAME")},
    };
    return kList;
}

QString TextChybejicihoParametru(const QString& sablona) {
    return QStringLiteral("Doplněk byl spuštěn s neúplným parametrem - pravděpodobně ho "
                          "spouštíte jako samostatný program, nikoliv jako zásuvný modul Money "
                          "přímo z plochy.\r\rChybějící parametr: ") +
           sablona + QStringLiteral("\r\r") + QStringLiteral("Chcete zobrazit nápovědu?");
}

void HlasitChybejiciParametr(Prompts& prompts, const QString& adresarProgramu,
                             const QString& sablona) {
    if (prompts.message(MessageKind::Error, TextChybejicihoParametru(sablona), Buttons::YesNo) ==
        Answer::Yes) {
        prompts.openDocument(adresarProgramu + QStringLiteral("insmon.html"));
    }
}

namespace {
const TParametr* najit(const std::vector<TParametr>& parametry, const QString& nazev) {
    for (const TParametr& p : parametry) {
        if (p.Nazev.compare(nazev, Qt::CaseInsensitive) == 0) {
            return &p;
        }
    }
    return nullptr;
}
} // namespace

QString NaplnitKontext(const std::vector<TParametr>& parametry, TKontextSpusteni& k,
                       const SystemFormats& formaty) {
    const auto& pozadovane = PozadovaneParametry();
    std::vector<QString> hodnoty;
    for (const TPozadovanyParametr& p : pozadovane) {
        const TParametr* nalezeny = najit(parametry, p.nazev);
        if (!nalezeny) {
            return p.sablona;
        }
        hodnoty.push_back(nalezeny->Hodnota);
    }
    k.AdresarHlavni = host::paths::folder(hodnoty[0].trimmed());
    k.AdresarRoku = host::paths::folder(hodnoty[1].trimmed());
    k.AdresarAgendy = AdresarZRoku(k.AdresarRoku, 2);
    k.AdresarDat = AdresarZRoku(k.AdresarRoku, 1);
    k.VerzeMoney = hodnoty[2];
    k.DatumMoney = formaty.parseDate(hodnoty[3]);
    if (!k.DatumMoney.isValid()) {
        k.DatumMoney = QDate::currentDate();
    }
    k.HesloUzivatele = hodnoty[4];
    k.NazevKonfigurace = NahraditZnaky(hodnoty[5], u'_');
    if (k.NazevKonfigurace.trimmed().isEmpty()) {
        k.NazevKonfigurace = QStringLiteral("Default");
    }

    // The agenda folder's extension without the dot: AGENDA.001 gives "001".
    QString agenda = k.AdresarAgendy;
    agenda.chop(1);
    agenda = agenda.mid(agenda.lastIndexOf(u'/') + 1);
    const qsizetype dot = agenda.lastIndexOf(u'.');
    k.PriponaAgendy = dot >= 0 ? agenda.mid(dot + 1) : QString();

    k.AdresarUzivatele = k.AdresarDat + QStringLiteral("Nvk/Arvelo/");
    k.AdresarNastaveni = k.AdresarUzivatele + QStringLiteral("Setting/");
    k.AdresarFormularu = k.AdresarUzivatele + QStringLiteral("PrintFrm/");
    k.AdresarTemp = k.AdresarUzivatele + QStringLiteral("Temp/");
    k.SouborVoleb = k.AdresarNastaveni + k.NazevKonfigurace + QStringLiteral(".ini");
    return {};
}

// --- folders ------------------------------------------------------------

TNoveSlozky::~TNoveSlozky() {
    vratit();
}

bool TNoveSlozky::vytvorit(const QString& folder) {
    const QString target = QDir::cleanPath(host::paths::resolve(host::paths::folder(folder)));
    if (target.isEmpty()) {
        return false;
    }
    // Walk down from the first missing component, creating one level at a
    // time, so that exactly the new levels are known.
    QStringList missing;
    QString p = target;
    while (!p.isEmpty() && !QFileInfo::exists(p)) {
        missing.prepend(p);
        const qsizetype slash = p.lastIndexOf(u'/');
        if (slash <= 0) {
            break;
        }
        p = p.left(slash);
    }
    for (const QString& level : missing) {
        if (!QDir().mkdir(level)) {
            break;
        }
        m_created << level;
    }
    return QFileInfo(target).isDir();
}

void TNoveSlozky::prevzit(TNoveSlozky& other) {
    m_created << other.m_created;
    other.m_created.clear();
}

void TNoveSlozky::vratit() {
    // Innermost first; removing a level takes whatever was put into it.
    for (auto it = m_created.crbegin(); it != m_created.crend(); ++it) {
        QDir(*it).removeRecursively();
    }
    m_created.clear();
}

// --- the start-up sequence ------------------------------------------------

namespace {
// Hides the working notice before a failure's message, so that the message is
// never behind the notice, and reports the failure.
bool selhani(THlavniData& data, const QString& text, MessageKind kind = MessageKind::Error) {
    data.SkrytPracuji();
    data.Vyzvy().message(kind, text);
    return false;
}
} // namespace

bool SpustitModul(THlavniData& data, const QStringList& arguments, const QString& adresarProgramu) {
    TKontextSpusteni& k = data.Kontext;
    k.AdresarProgramu = host::paths::folder(adresarProgramu);
    k.SouborNapovedy = k.AdresarProgramu + QStringLiteral("insmon.html");

    data.KlicPrav = rights::KlicPrav();

    data.Zaneprazdneno = true;

    data.mtParametry.emptyTable();
    const std::vector<TParametr> parametry = NacistParametry(SpojitArgumenty(arguments));
    for (const TParametr& p : parametry) {
        data.mtParametry.appendRecord({host::Variant(p.Nazev), host::Variant(p.Hodnota)});
    }
    const QString chybi = NaplnitKontext(parametry, k, data.Formaty());
    if (!chybi.isEmpty()) {
        data.SkrytPracuji();
        HlasitChybejiciParametr(data.Vyzvy(), k.AdresarProgramu, chybi);
        return false;
    }

    // Everything created from here on is removed again when start-up fails.
    TNoveSlozky slozky;
    for (const QString& slozka : {k.AdresarNastaveni, k.AdresarTemp}) {
        // Without a data root the folders would land relative to wherever the
        // program happens to run; that is refused like an uncreatable folder.
        if (k.AdresarDat.isEmpty() || !slozky.vytvorit(slozka)) {
            return selhani(data, QStringLiteral("Nelze vytvořit adresář ") + slozka);
        }
    }

    if (const auto chyba =
            KopirovatInstalaci(k.AdresarProgramu, k.AdresarUzivatele, k.AdresarDat, &slozky)) {
        return selhani(data, *chyba);
    }

    data.VytvoritPristupPrava();
    data.SazbyDPH.Nacist(k.AdresarAgendy);

    if (!NacistVolby(data)) {
        data.SkrytPracuji();
        return false;
    }

    data.SkrytPracuji();

    if (!JePodvojne(k.AdresarRoku, data.Formaty())) {
        return selhani(data,
                       QStringLiteral("Litujeme, ale tento doplněk je možné spustit pouze v "
                                      "agendě, která je vedena v podvojném účetnictví."),
                       MessageKind::Warning);
    }
    slozky.potvrdit();
    return true;
}

} // namespace arvelo::app
