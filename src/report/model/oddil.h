#pragma once

#include "report/model/prvek.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace arvelo::report {

// One section (band) of a report; it owns its elements.
class TOddilSestavy {
public:
    TOddilSestavy(TSestavaTyp* report, int kind) : report_(report), SectionKind(kind) {}

    TSestavaTyp* Report() const { return report_; }

    // Appends a new element with the defaults and returns it.
    TKolbraReportElement& AddElement();
    void RemoveElement(int index);
    void ClearElements() { elements_.clear(); }

    int ElementCount() const { return static_cast<int>(elements_.size()); }
    TKolbraReportElement& Element(int i) { return *elements_.at(static_cast<std::size_t>(i)); }
    const TKolbraReportElement& Element(int i) const {
        return *elements_.at(static_cast<std::size_t>(i));
    }

    // Visible height: the height when visible, 0 when not.
    int VisibleHeight() const { return Visible ? Height : 0; }

    // "Z", "H", "T", "K", "P", then "S" + g and "U" + g for the group sections.
    QString Letter() const { return PismenoOddilu(SectionKind); }
    static QString PismenoOddilu(int kind);
    // The designer's name of a section kind.
    static QString NazevOddilu(int kind);

private:
    TSestavaTyp* report_;
    std::vector<std::unique_ptr<TKolbraReportElement>> elements_;

public:
    int SectionKind;
    int Height = 0;
    bool Visible = false;
    int Columns = 1;
    int ColumnGap = 0;
};

// The sections of a report: the five fixed ones first, then header and footer of each group.
class TListOddilu {
public:
    explicit TListOddilu(TSestavaTyp* report);

    int Count() const { return static_cast<int>(oddily_.size()); }
    TOddilSestavy& operator[](int i) { return *oddily_.at(static_cast<std::size_t>(i)); }
    const TOddilSestavy& operator[](int i) const {
        return *oddily_.at(static_cast<std::size_t>(i));
    }

    // The section of a kind, none when absent.
    TOddilSestavy* PodleDruhu(int kind);
    const TOddilSestavy* PodleDruhu(int kind) const;

    TOddilSestavy& Pridej(int kind);
    // Removes a section and its elements.
    void Odeber(const TOddilSestavy* section);
    // Back to five empty, invisible fixed sections of height 0.
    void Reset();

private:
    TSestavaTyp* report_;
    std::vector<std::unique_ptr<TOddilSestavy>> oddily_;
};

// One group: its field, break state and counters, and its two sections (owned by the
// section list).
struct TPolSkup {
    int Index = 0;
    int FieldIndex = 0;
    QString FieldName; // empty when the field is given by number
    bool NewPage = false;
    QString GroupKey;
    bool Changed = false;
    TOddilSestavy* Header = nullptr;
    TOddilSestavy* Footer = nullptr;
    int LineInGroup = 1;
    int GroupNumber = 1;
};

// Groups, outermost first; the strings are "Skupina" + " " + number from 1.
class TListSkupin {
public:
    int Count() const { return static_cast<int>(skupiny_.size()); }
    TPolSkup& operator[](int i) { return *skupiny_.at(static_cast<std::size_t>(i)); }
    const TPolSkup& operator[](int i) const { return *skupiny_.at(static_cast<std::size_t>(i)); }
    QString Strings(int i) const { return QStringLiteral("Skupina %1").arg(i + 1); }

    TPolSkup& Pridej();
    void Odeber(int i);
    void Clear() { skupiny_.clear(); }

private:
    std::vector<std::unique_ptr<TPolSkup>> skupiny_;
};

} // namespace arvelo::report
