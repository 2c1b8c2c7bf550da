#pragma once

#include "host/host_table.h"
#include "rights/rights_prompts.h"

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

namespace arvelo::rights::test {

// The layouts of the host's rights tables, in one place, so that they can be
// swapped for the host schema catalogue's.
host::TableDef pristupDef();  // newer layout: users and most rights
host::TableDef pristup2Def(); // newer layout: further rights
host::TableDef prisuzivDef(); // older layout: users
host::TableDef prispolDef();  // older layout: one row per user and right
// A damaged table: the layout without one of its indexes.
void dropIndex(host::TableDef& def, const QString& indexName);

using Row = std::map<QString, host::Variant>;

// Creates the table at folder + name and appends the rows.
void createTable(const QString& folder, const host::TableDef& def, const std::vector<Row>& rows);

// Every level column of "PRISTUP" / "PRISTUP2" set to one text.
Row allLevels(const host::TableDef& def, const QString& level);

// One recorded call of the scripted prompts.
struct Call {
    QString kind; // "error", "warning", "information", "notice", "hide", "window"
    QString text; // message text, or the window's object name
};

// The prompts of a test: message boxes and the working notice are recorded;
// a modal window is handed to the next scripted step, which may work its
// controls and close it, and counts as confirmed when it was accepted.
class ScriptedPrompts final : public TRightsPrompts {
public:
    using Step = std::function<void(QDialog&)>;

    void Chyba(const QString& text) override { calls.push_back({"error", text}); }
    void Varovani(const QString& text) override { calls.push_back({"warning", text}); }
    void Informace(const QString& text) override { calls.push_back({"information", text}); }
    void ZobrazitPracuji(const QString& text) override { calls.push_back({"notice", text}); }
    void SkrytPracuji() override { calls.push_back({"hide", {}}); }
    bool Spustit(QDialog& okno) override;

    // Messages only (boxes), without the notice calls.
    std::vector<Call> boxes() const;

    std::vector<Call> calls;
    std::vector<Step> steps; // consumed front to back; none left: the window is cancelled
};

// Pick lists of a test: answers given in advance, requests recorded.
class ScriptedLists final : public TVyberySeznamu {
public:
    QString UpravitSeznam(const QString& seznam, int druh) override;
    QString VybratZeSeznamu(int druh, const QString& pocatecniKod) override;

    QStringList editedLists; // answers of UpravitSeznam, front first
    QStringList pickedCodes; // answers of VybratZeSeznamu, front first
    std::vector<std::pair<QString, int>> editRequests;
    std::vector<int> pickRequests;
};

} // namespace arvelo::rights::test
