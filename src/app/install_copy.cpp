#include "app/install_copy.h"

#include "app/ini_file.h"
#include "app/startup.h"
#include "host/host_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <vector>

namespace arvelo::app {

namespace {
const QString kInstall = QStringLiteral("INSTALL");
const QString kSign = QStringLiteral("SIGN");
constexpr int kMaxEntries = 999;

struct Staged {
    QString temp;
    QString source;
    QString target;
};

QString copyError(const QString& source, const QString& target) {
    return QStringLiteral("Při kopírování souboru %1 do %2 došlo k chybě.").arg(source, target);
}

// Copies source to a new temporary file in the target's folder.
bool stage(const QString& source, const QString& target, QString* temp) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        return false;
    }
    QTemporaryFile out(QFileInfo(target).absolutePath() + QStringLiteral("/.arvelo-copy-XXXXXX"));
    out.setAutoRemove(false);
    if (!out.open()) {
        return false;
    }
    bool ok = true;
    while (ok && !in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
    }
    ok = ok && out.flush();
    *temp = out.fileName();
    if (!ok) {
        out.close();
        QFile::remove(*temp);
    }
    return ok;
}

void removeStaged(const std::vector<Staged>& staged, size_t from) {
    for (size_t i = from; i < staged.size(); ++i) {
        QFile::remove(staged[i].temp);
    }
}
} // namespace

std::optional<QString> KopirovatInstalaci(const QString& programFolder, const QString& userFolder,
                                          const QString& dataRoot, TNoveSlozky* created) {
    const QString program = host::paths::folder(programFolder);
    const QString setupDat = program + QStringLiteral("SetupDat/");
    const QString userMarkFile = host::paths::folder(userFolder) + QStringLiteral("setup.ini");
    const QString shipped =
        TIniFile(setupDat + QStringLiteral("setup.ini")).ReadString(kInstall, kSign, QString());
    {
        TIniFile user(userMarkFile);
        if (user.ReadString(kInstall, kSign, QString()) == shipped) {
            return std::nullopt;
        }
    }

    TNoveSlozky folders;
    std::vector<Staged> staged;
    TIniFile list(program + QStringLiteral("InsMon.ini"));
    for (int n = 1; n <= kMaxEntries; ++n) {
        const QString source =
            list.ReadString(QStringLiteral("COPY"), QStringLiteral("Source%1").arg(n), QString());
        if (source.isEmpty()) {
            break;
        }
        const QString sourceFolder = host::paths::folder(setupDat + source);
        const QString destValue =
            list.ReadString(QStringLiteral("COPY"), QStringLiteral("Dest%1").arg(n), QString());
        if (destValue.isEmpty()) {
            break;
        }
        QString dest = destValue;
        dest.replace(QStringLiteral("%MONEYDATA%"), dataRoot, Qt::CaseInsensitive);
        dest = host::paths::folder(QDir::cleanPath(host::paths::normalize(dest)));
        if (!folders.vytvorit(dest)) {
            removeStaged(staged, 0);
            return QStringLiteral("Nelze vytvořit adresář ") + dest;
        }
        dest = host::paths::resolve(dest);
        const QDir sourceDir(host::paths::resolve(sourceFolder));
        const auto files = sourceDir.exists()
                               ? sourceDir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System,
                                                         QDir::Name | QDir::IgnoreCase)
                               : QFileInfoList();
        for (const QFileInfo& file : files) {
            const QString target = dest + file.fileName();
            QString temp;
            if (!stage(file.absoluteFilePath(), target, &temp)) {
                removeStaged(staged, 0);
                return copyError(file.absoluteFilePath(), target);
            }
            staged.push_back({temp, file.absoluteFilePath(), target});
        }
    }

    for (size_t i = 0; i < staged.size(); ++i) {
        const Staged& s = staged[i];
        QFile target(s.target);
        if (target.exists()) {
            // A read-only destination file loses its read-only attribute first.
            target.setPermissions(target.permissions() | QFileDevice::WriteOwner);
        }
        QFile(s.temp).setPermissions(QFile(s.source).permissions() | QFileDevice::WriteOwner);
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(s.temp).toStdString(),
                                QFile::encodeName(s.target).toStdString(), ec);
        if (ec) {
            removeStaged(staged, i);
            return copyError(s.source, s.target);
        }
    }

    if (!folders.vytvorit(userFolder)) {
        return QStringLiteral("Nelze vytvořit adresář ") + host::paths::folder(userFolder);
    }
    TIniFile user(userMarkFile);
    if (!user.WriteString(kInstall, kSign, shipped)) {
        return QStringLiteral("Nelze zapsat soubor ") + userMarkFile;
    }
    if (created) {
        created->prevzit(folders);
    } else {
        folders.potvrdit();
    }
    return std::nullopt;
}

} // namespace arvelo::app
