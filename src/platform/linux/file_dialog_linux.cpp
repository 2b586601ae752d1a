#include "file_dialog_linux.h"

#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>
#include <cmath>
#include <stdexcept>

namespace qs::linuxos {

namespace {

constexpr qsizetype kMostNames = 200;

// "Text\0*.exe;*.bat\0Text\0*.*" as Qt name filters: the text the user knows, then the patterns
// where Qt looks for them, in the last parentheses and apart by blanks. "*.*" takes every file, as
// on Windows, names without a dot included. Qt matches them without regard to case.
QStringList nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QChar(0));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == u"*.*")
                pattern = QStringLiteral("*");
        }
        filters.append(parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

// The filter's place in the list. With the patterns hidden, Qt may name it by its text alone.
int indexOfChosen(const QStringList& filters, const QString& chosen) {
    for (qsizetype i = 0; i < filters.size(); ++i)
        if (filters[i] == chosen || filters[i].startsWith(chosen + QStringLiteral(" (")))
            return static_cast<int>(i);
    return -1;
}

// Centres the dialog when it is first shown, before it appears: over a window, or on the screen.
class CentreOnShow : public QObject {
public:
    explicit CentreOnShow(const QWidget* over) : over_(over) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            auto* dialog = static_cast<QWidget*>(watched);
            dialog->removeEventFilter(this);
            const QRect area = over_ ? over_->frameGeometry() : dialog->screen()->geometry();
            const QRect frame = dialog->frameGeometry();
            // Halves round to even, as the Windows dialog's centring does.
            dialog->move(static_cast<int>(std::nearbyint(area.x() + area.width() / 2.0 - frame.width() / 2.0)),
                         static_cast<int>(std::nearbyint(area.y() + area.height() / 2.0 - frame.height() / 2.0)));
        }
        return false;
    }

private:
    const QWidget* over_;
};

} // namespace

platform::FileDialogResult LinuxFileDialog::showOpen(const forms::Form* owner, const std::string& filter,
                                                     const std::string& title, bool centreOverOwner) {
    QWidget* window = owner && windowOf_ ? windowOf_(*owner) : nullptr;
    CentreOnShow centring(centreOverOwner && window && window->isVisible() ? window : nullptr);
    QFileDialog dialog(window, QString::fromStdString(title));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontResolveSymlinks |
                      QFileDialog::HideNameFilterDetails);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    const QStringList filters = nameFilters(filter);
    dialog.setNameFilters(filters);
    if (filterIndex_ >= 0 && filterIndex_ < filters.size())
        dialog.selectNameFilter(filters[filterIndex_]);
    if (QFileInfo(previous_).isDir())
        dialog.setDirectory(previous_);
    else if (!previous_.isEmpty())
        dialog.selectFile(previous_);
    dialog.installEventFilter(&centring);

    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return {};
    filterIndex_ = indexOfChosen(filters, dialog.selectedNameFilter());
    const QString folder = QFileInfo(chosen.front()).absolutePath();
    previous_ = chosen.size() == 1 ? chosen.front() : folder;
    if (chosen.size() > kMostNames)
        throw std::length_error("more than 200 files chosen");

    platform::FileDialogResult result;
    result.cancelled = false;
    result.count = static_cast<int>(chosen.size());
    for (const QString& file : chosen)
        result.files.push_back(QFileInfo(file).fileName().toStdString());
    result.path = folder.toStdString();
    if (chosen.size() == 1 && !result.path.ends_with('/'))
        result.path += '/';
    return result;
}

} // namespace qs::linuxos
