// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/wording.h"

#include "files/name_rules.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <array>
#include <climits>
#include <utility>

namespace vornick::gui {
namespace {

using Kind = window::Reason::Kind;

// The controller's fixed texts, named here so that they are taken into the translations.
[[maybe_unused]] constexpr const char* kControllerTexts[] = {
    QT_TRANSLATE_NOOP("Controller", "Vornick"),
    QT_TRANSLATE_NOOP("Controller", "Vornick [Loading files, please wait...]"),
    QT_TRANSLATE_NOOP("Controller", "Vornick [Please wait...]"),
    QT_TRANSLATE_NOOP("Controller", "Please select folder to add:"),
    QT_TRANSLATE_NOOP("Controller", "Add File(s) - Use Ctrl and Shift to select multiple files"),
    QT_TRANSLATE_NOOP("Controller", "MP3 Files (*.mp3)"),
    QT_TRANSLATE_NOOP("Controller", "Filename Now"),
    QT_TRANSLATE_NOOP("Controller", "Filename After Rename"),
    QT_TRANSLATE_NOOP("Controller", "Folder"),
};

// The first kMostListed lines, then how many more there are.
template <typename Item, typename Line>
QString ListOf(const std::vector<Item>& items, Line line) {
  QString text;
  const std::size_t listed = std::min(items.size(), kMostListed);
  for (std::size_t i = 0; i < listed; ++i) text += QLatin1Char('\n') + line(items[i]);
  if (listed < items.size()) {
    const int more = static_cast<int>(items.size() - listed);
    text += QLatin1Char('\n') +
            QCoreApplication::translate("Messages", "... and %n more.", nullptr, more);
  }
  return text;
}

QString SystemWords(std::error_code error) {
  return QString::fromLocal8Bit(error.message());
}

}  // namespace

QString Text(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString Translated(const std::string& controllerText) {
  return QCoreApplication::translate("Controller", controllerText.c_str());
}

// The name of a file system, or words for a disk whose kind is not known.
static QString DiskWords(platform::NameRules::System system) {
  const std::string_view name = files::SystemName(system);
  if (name.empty()) return QCoreApplication::translate("Reasons", "the disk");
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString ReasonWords(const window::Reason& reason, const QString& target) {
  switch (reason.kind) {
    case Kind::kNone:
      return {};
    case Kind::kNewNameEmpty:
      return QCoreApplication::translate("Reasons", "the new name is empty");
    case Kind::kNewNameDots:
      return QCoreApplication::translate("Reasons",
                                         "the new name is \".\" or \"..\", which name folders");
    case Kind::kNewNameSeparator:
      return QCoreApplication::translate("Reasons", "the new name holds a folder separator");
    case Kind::kNewNameZeroByte:
      return QCoreApplication::translate("Reasons", "the new name holds a zero byte");
    case Kind::kNameEmpty:
      return QCoreApplication::translate("Reasons", "the name is empty");
    case Kind::kNameDots:
      return QCoreApplication::translate("Reasons",
                                         "the name is \".\" or \"..\", which name folders");
    case Kind::kNameSeparator:
      return QCoreApplication::translate("Reasons", "the name holds a folder separator");
    case Kind::kNameZeroByte:
      return QCoreApplication::translate("Reasons", "the name holds a zero byte");
    case Kind::kNewNameHides:
      return QCoreApplication::translate(
          "Reasons", "the new name begins with \".\", which would hide the file");
    case Kind::kTaken:
      return QCoreApplication::translate("Reasons",
                                         "a file or folder named \"%1\" is there already")
          .arg(target);
    case Kind::kNotThere:
      return QCoreApplication::translate("Reasons", "the file is not there");
    case Kind::kPermissionDenied:
      return QCoreApplication::translate("Reasons", "permission denied");
    case Kind::kReadOnly:
      return QCoreApplication::translate("Reasons", "the disk is read-only");
    case Kind::kTooLong:
      return QCoreApplication::translate("Reasons", "the new name is too long");
    case Kind::kDiskFull:
      return QCoreApplication::translate("Reasons", "the disk is full");
    case Kind::kInUse:
      return QCoreApplication::translate("Reasons", "the file is in use");
    case Kind::kNameNotAccepted:
      return QCoreApplication::translate("Reasons", "the disk does not accept the name \"%1\"")
          .arg(target);
    case Kind::kListedTwice:
      return QCoreApplication::translate("Reasons", "the same file is listed in another row");
    case Kind::kProposedTwice:
      return QCoreApplication::translate("Reasons",
                                         "another row proposes the same name in this folder");
    case Kind::kListedAgain:
      return QCoreApplication::translate("Reasons", "listed again above; renamed with that row");
    case Kind::kNotTheFile:
      return QCoreApplication::translate("Reasons",
                                         "the file there now is not the one that was renamed");
    case Kind::kNoHistory:
      return QCoreApplication::translate("Reasons", "the history could not be written: %1")
          .arg(SystemWords(reason.error));
    case Kind::kSystem:
      return SystemWords(reason.error);
    case Kind::kForbiddenCharacter: {
      const char32_t character = reason.character;
      if (character < 0x20) {
        return QCoreApplication::translate("Reasons",
                                           "%1 does not allow the control character %2 in names")
            .arg(DiskWords(reason.system),
                 QStringLiteral("U+%1")
                     .arg(static_cast<unsigned>(character), 4, 16, QChar('0'))
                     .toUpper());
      }
      return QCoreApplication::translate("Reasons", "%1 does not allow '%2' in names")
          .arg(DiskWords(reason.system), QString::fromUcs4(&character, 1));
    }
    case Kind::kReservedName:
      return QCoreApplication::translate(
                 "Reasons",
                 "%1 does not allow a name that begins \"%2\": Windows keeps it for a device")
          .arg(DiskWords(reason.system), target.section(QLatin1Char('.'), 0, 0));
    case Kind::kTrailingDotOrSpace:
      return QCoreApplication::translate("Reasons",
                                         "%1 drops or refuses a dot or space at the end of a name")
          .arg(DiskWords(reason.system));
    case Kind::kNotUtf8:
      return QCoreApplication::translate("Reasons", "%1 does not allow names that are not UTF-8")
          .arg(DiskWords(reason.system));
    case Kind::kLongerThanAllowed:
      if (files::SystemName(reason.system).empty()) {
        return QCoreApplication::translate("Reasons",
                                           "the new name is longer than the disk allows");
      }
      return QCoreApplication::translate("Reasons", "the new name is longer than %1 allows")
          .arg(DiskWords(reason.system));
    case Kind::kCaseUnchanged:
      return QCoreApplication::translate("Reasons", "%1 kept the name's old letter case")
          .arg(DiskWords(reason.system));
  }
  return {};
}

QString StatusWords(const window::RowStatus& status, const QString& target) {
  const QString reason = ReasonWords(status.reason, target);
  switch (status.kind) {
    case window::RowStatus::Kind::kNone:
      return {};
    case window::RowStatus::Kind::kRenamed:
      return QCoreApplication::translate("Statuses", "Renamed");
    case window::RowStatus::Kind::kRenameFailed:
      return QCoreApplication::translate("Statuses", "Not renamed: %1").arg(reason);
    case window::RowStatus::Kind::kUndoFailed:
      return QCoreApplication::translate("Statuses", "Not renamed back: %1").arg(reason);
    case window::RowStatus::Kind::kWouldBeRefused:
      return QCoreApplication::translate("Statuses", "Rename would refuse this file: %1")
          .arg(reason);
  }
  return {};
}

MessageText RenameFailedMessage(window::RenameDirection direction,
                                const std::vector<window::RenameFailure>& failures) {
  const bool undo = direction == window::RenameDirection::kUndo;
  const int count = static_cast<int>(failures.size());
  MessageText message;
  message.title = undo ? QCoreApplication::translate("Messages", "Some files were not renamed back")
                       : QCoreApplication::translate("Messages", "Some files were not renamed");
  message.text =
      undo
          ? QCoreApplication::translate(
                "Messages",
                "%n file(s) were not renamed back; nothing was overwritten, and the other checked "
                "files were done.",
                nullptr, count)
          : QCoreApplication::translate(
                "Messages",
                "%n file(s) were not renamed; nothing was overwritten, and the other checked files "
                "were done.",
                nullptr, count);
  message.text += QLatin1Char('\n');
  message.text += ListOf(failures, [](const window::RenameFailure& failure) {
    const QString target = Text(failure.target);
    return QCoreApplication::translate("Messages", "\"%1\" to \"%2\" in %3: %4")
        .arg(Text(failure.name), target, Text(failure.folder), ReasonWords(failure.reason, target));
  });
  return message;
}

MessageText StoppedMessage(window::Command command, const std::string& why, bool typesUnreadable) {
  static constexpr std::array<const char*, 5> kTitles{
      QT_TRANSLATE_NOOP("Messages", "Rename stopped"),
      QT_TRANSLATE_NOOP("Messages", "Undo stopped"),
      QT_TRANSLATE_NOOP("Messages", "Load Folder stopped"),
      QT_TRANSLATE_NOOP("Messages", "Load Files stopped"),
      QT_TRANSLATE_NOOP("Messages", "Adding the dropped files stopped"),
  };
  const QString title =
      QCoreApplication::translate("Messages", kTitles.at(static_cast<std::size_t>(command)));
  if (!typesUnreadable) return {title, Text(why)};
  return {title, QCoreApplication::translate(
                     "Messages", "The file types could not be read from the settings: %1")
                     .arg(Text(why))};
}

MessageText PassedOverMessage(const std::vector<window::PassedOver>& passedOver) {
  MessageText message;
  message.title = QCoreApplication::translate("Messages", "Some folders were not read");
  const int count = static_cast<int>(passedOver.size());
  message.text = QCoreApplication::translate(
      "Messages", "%n folder(s) or link(s) were passed over; everything else was added.", nullptr,
      count);
  message.text += QLatin1Char('\n');
  message.text += ListOf(passedOver, [](const window::PassedOver& path) {
    if (path.why == window::PassedOver::Why::kLinkNotFollowed) {
      return QCoreApplication::translate("Messages", "%1: a link to a folder, not followed")
          .arg(Text(path.path));
    }
    return QCoreApplication::translate("Messages", "%1: not read: %2")
        .arg(Text(path.path), SystemWords(path.error));
  });
  return message;
}

// A count as the plural forms take it; more than an int holds is still "many".
static int PluralCount(std::size_t count) {
  return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

ReportText RenameFailedReport(window::RenameDirection direction,
                              const std::vector<window::RenameFailure>& failures,
                              std::optional<std::size_t> tried) {
  const bool undo = direction == window::RenameDirection::kUndo;
  const int count = PluralCount(failures.size());
  ReportText report;
  report.title = undo ? QCoreApplication::translate("Messages", "Some files were not renamed back")
                      : QCoreApplication::translate("Messages", "Some files were not renamed");
  if (tried) {
    report.summary =
        (undo ? QCoreApplication::translate("Reports", "%Ln of %1 file(s) were not renamed back.",
                                            nullptr, count)
              : QCoreApplication::translate("Reports", "%Ln of %1 file(s) were not renamed.",
                                            nullptr, count))
            .arg(QLocale().toString(static_cast<qulonglong>(*tried)));
  } else {
    report.summary = undo ? QCoreApplication::translate(
                                "Reports", "%Ln file(s) were not renamed back.", nullptr, count)
                          : QCoreApplication::translate("Reports", "%Ln file(s) were not renamed.",
                                                        nullptr, count);
  }
  report.summary += QLatin1Char(' ') + QCoreApplication::translate(
                                           "Reports",
                                           "Nothing was overwritten, and the other checked files "
                                           "were done.");
  report.listName = undo ? QCoreApplication::translate("Reports", "Files not renamed back")
                         : QCoreApplication::translate("Reports", "Files not renamed");
  report.listDescription =
      undo ? QCoreApplication::translate("Reports",
                                         "The name and folder of each file that was not renamed "
                                         "back, and why")
           : QCoreApplication::translate(
                 "Reports", "The name and folder of each file that was not renamed, and why");
  report.headers = {QCoreApplication::translate("Reports", "Name"),
                    QCoreApplication::translate("Reports", "Folder"),
                    QCoreApplication::translate("Reports", "Reason")};
  report.rows.reserve(failures.size());
  for (const window::RenameFailure& failure : failures) {
    report.rows.push_back({Text(failure.name), Text(failure.folder),
                           ReasonWords(failure.reason, Text(failure.target))});
  }
  return report;
}

ReportText PassedOverReport(const std::vector<window::PassedOver>& passedOver) {
  ReportText report;
  report.title = QCoreApplication::translate("Messages", "Some folders were not read");
  report.summary = QCoreApplication::translate(
      "Reports", "%Ln folder(s) were passed over; everything else was added.", nullptr,
      PluralCount(passedOver.size()));
  report.listName = QCoreApplication::translate("Reports", "Folders passed over");
  report.listDescription =
      QCoreApplication::translate("Reports", "Each folder that was passed over, and why");
  report.headers = {QCoreApplication::translate("Reports", "Folder"),
                    QCoreApplication::translate("Reports", "Reason")};
  report.rows.reserve(passedOver.size());
  for (const window::PassedOver& folder : passedOver) {
    QString reason =
        folder.why == window::PassedOver::Why::kLinkNotFollowed
            ? QCoreApplication::translate("Reports", "a link to a folder, not followed")
            : QCoreApplication::translate("Reports", "could not be read: %1")
                  .arg(SystemWords(folder.error));
    report.rows.push_back({Text(folder.path), std::move(reason)});
  }
  return report;
}

MessageText HistorySetAsideMessage(const std::string& location, const std::string& setAsideAs) {
  return {QCoreApplication::translate("Messages", "The history was damaged"),
          QCoreApplication::translate("Messages",
                                      "The history of renames in %1 was damaged. It was kept as "
                                      "%2, and a new history was started.")
              .arg(Text(location), Text(setAsideAs))};
}

QuestionText GoOnWithoutHistoryQuestion(window::Command command, const std::string& where,
                                        std::error_code error) {
  QuestionText question;
  question.stop = QCoreApplication::translate("Questions", "&Cancel");
  if (command == window::Command::kUndo) {
    question.title = QCoreApplication::translate("Questions", "Undo without a way back?");
    question.text = QCoreApplication::translate(
        "Questions",
        "The history of renames could not be written:\n%1\n\nIf you undo anyway, the names "
        "given back are not kept, and this Undo cannot be taken back once the window is closed.");
    question.goOn = QCoreApplication::translate("Questions", "&Undo Anyway");
  } else {
    question.title = QCoreApplication::translate("Questions", "Rename without a way back?");
    question.text = QCoreApplication::translate(
        "Questions",
        "The history of renames could not be written:\n%1\n\nIf you rename anyway, the renames "
        "cannot be taken back once the window is closed.");
    question.goOn = QCoreApplication::translate("Questions", "&Rename Anyway");
  }
  question.text = question.text.arg(Text(where) + QStringLiteral(": ") + SystemWords(error));
  return question;
}

QuestionText TakeBackQuestion(const platform::BatchSummary& batch, bool interrupted) {
  // More files than an int counts are still "many"; the plural form is all the count decides.
  const int count = static_cast<int>(std::min<std::uint64_t>(batch.renamed, INT_MAX));
  QuestionText question;
  question.goOn = QCoreApplication::translate("Questions", "&Take Back");
  if (interrupted) {
    question.title = QCoreApplication::translate("Questions", "A Rename was interrupted");
    question.text = QCoreApplication::translate(
        "Questions",
        "The program ended in the middle of a Rename begun on %1: %n file(s) in %2 may still have "
        "their new names.\n\nTake Back gives them their old names again; Keep leaves them as "
        "they are.",
        nullptr, count);
    question.stop = QCoreApplication::translate("Questions", "&Keep");
  } else {
    question.title = QCoreApplication::translate("Questions", "Take back an earlier Rename?");
    question.text = QCoreApplication::translate(
        "Questions",
        "Nothing in the list is left to undo. A Rename on %1 gave %n file(s) in %2 new names, "
        "which they still have.\n\nTake Back gives them their old names again.",
        nullptr, count);
    question.stop = QCoreApplication::translate("Questions", "&Cancel");
  }
  question.text = question.text.arg(WhenWords(batch.started), Text(batch.folder));
  return question;
}

QString WhenWords(std::int64_t started) {
  return QLocale().toString(QDateTime::fromSecsSinceEpoch(started), QLocale::ShortFormat);
}

QString BatchStateWords(const platform::BatchSummary& batch) {
  if (batch.running) return QCoreApplication::translate("History", "running");
  if (batch.takenBack > 0) {
    return batch.renamed == 0 ? QCoreApplication::translate("History", "taken back")
                              : QCoreApplication::translate("History", "partly taken back");
  }
  if (!batch.finished) return QCoreApplication::translate("History", "interrupted");
  return QCoreApplication::translate("History", "done");
}

QString ButtonCaption(platform::Button button) {
  static constexpr std::array<const char*, platform::kButtonCount> kCaptions{
      QT_TRANSLATE_NOOP("Buttons", "&Rename"),      QT_TRANSLATE_NOOP("Buttons", "&Undo"),
      QT_TRANSLATE_NOOP("Buttons", "Load &Folder"), QT_TRANSLATE_NOOP("Buttons", "Load F&iles"),
      QT_TRANSLATE_NOOP("Buttons", "Select &All"),  QT_TRANSLATE_NOOP("Buttons", "U&nselect All"),
      QT_TRANSLATE_NOOP("Buttons", "E&xit"),        QT_TRANSLATE_NOOP("Buttons", "&Clear List"),
  };
  return QCoreApplication::translate("Buttons", kCaptions.at(static_cast<std::size_t>(button)));
}

QString ButtonToolTip(platform::Button button) {
  static constexpr std::array<const char*, platform::kButtonCount> kToolTips{
      QT_TRANSLATE_NOOP("Buttons", "Rename every checked file to its proposed name"),
      QT_TRANSLATE_NOOP("Buttons", "Give the files that Rename renamed their names back"),
      QT_TRANSLATE_NOOP("Buttons", "Add the music files of a folder and of every folder below it"),
      QT_TRANSLATE_NOOP("Buttons", "Add music files picked in a file dialog"),
      QT_TRANSLATE_NOOP("Buttons", "Check every row"),
      QT_TRANSLATE_NOOP("Buttons", "Uncheck every row"),
      QT_TRANSLATE_NOOP("Buttons", "End the program (Ctrl+Q)"),
      QT_TRANSLATE_NOOP("Buttons", "Take every row off the list; no file is touched"),
  };
  return QCoreApplication::translate("Buttons", kToolTips.at(static_cast<std::size_t>(button)));
}

}  // namespace vornick::gui
