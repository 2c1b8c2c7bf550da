#pragma once

#include "compute/run_settings.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace arvelo::app {

class SystemFormats;

// The batch mode: the host's parameter string and the wizard's choices on the
// command line; the same start-up checks and the same computation as the
// wizard, without any window; the statement as text, CSV or JSON.
namespace batch {

// Exit statuses.
inline constexpr int kUspech = 0;
inline constexpr int kSelhani = 1;      // start-up or the run failed
inline constexpr int kChybnaVolba = 2;  // the command line is wrong
inline constexpr int kChybaVystupu = 3; // the output could not be written

enum class Format { Text, Csv, Json };

struct TDavka {
    QStringList hostArgumenty; // everything that is not an option
    compute::TNastaveniBehu nastaveni;
    QString od;
    QString do_;
    Format format = Format::Text;
    QString vystup; // empty: standard output
};

// Reads the arguments after "--batch". Nothing (with the reason in *chyba)
// when an option is unknown or lacks its value.
std::optional<TDavka> NacistVolby(const QStringList& argumenty, QString* chyba);

// The group kind from its number 0-8 or its item text without diacritics
// ("zakazky", ..., "firmy-cislo"); -1 when neither.
int DruhZTextu(const QString& text);

// A date as YYYY-MM-DD or in the locale's short format; invalid otherwise.
QDate CistDatum(const QString& text, const SystemFormats& formaty);

// The text of "arvelo --help".
QString Napoveda();

// Runs the batch mode with the arguments after "--batch"; returns the exit status.
int Spustit(const QStringList& argumenty, const QString& adresarProgramu);

} // namespace batch
} // namespace arvelo::app
