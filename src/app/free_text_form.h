#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace arvelo::app {

class Prompts;

// The information window "Informace": the data problems of a run, editable,
// with "Uložit" (into a text file chosen through the prompt seam) and "Zavřít".
// Created once and reused; closing it keeps the text.
class TfrmFreeText final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFreeText(Prompts& prompts, QWidget* parent = nullptr);

    void NastavitText(const QStringList& lines);
    QStringList Radky() const;
    void NastavitAdresarUlozeni(const QString& folder) { m_folder = folder; }

    // "Uložit": asks for a file and writes the lines; false when cancelled or
    // the file could not be written (the error has been shown).
    bool Ulozit();

    QPlainTextEdit* memInfo() const { return m_text; }

private:
    Prompts& m_prompts;
    QPlainTextEdit* m_text;
    QPushButton* m_save;
    QPushButton* m_close;
    QString m_folder;
};

} // namespace arvelo::app
