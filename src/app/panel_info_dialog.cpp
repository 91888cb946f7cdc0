#include "app/panel_info_dialog.h"

#include "app/app_state.h"
#include "app/panel_info_dialog_controls.h"
#include "app/pulse_time_dialog.h"
#include "app/seconds_dialog.h"
#include "app/time_delay_dialog.h"
#include "app/time_of_day_dialog.h"
#include "app/typing_limit.h"
#include "app/ui_service.h"
#include "editors/latin1_text.h"
#include "model/settings_store.h"
#include "model/site_defaults.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace panel_info;

namespace {

constexpr int kTextReadLimit = 127;
constexpr int kCodeReadLimit = 31;
constexpr int kDevicesPerLoopReadLimit = 4;
constexpr int kCodeIds[] = {1217, 1253, 1218, 1219};
constexpr int kSoundIds[] = {1245, 1246, 1247};
constexpr char kCodeDigitsRefused[] = "567890"; // the panel's code keys are 1 to 4

QString IdName(int id) {
    return QString::number(id);
}

bool InputGroupUsed(int group) {
    char name[kSettingNameSize];
    for (int a = 1; a <= kLoopAddresses; ++a) {
        std::snprintf(name, sizeof name, "IPGroup_%d", a);
        if (SettingGet(name) && SettingGetInt(name) == static_cast<uint32_t>(group))
            return true;
    }
    return false;
}

bool FlagSet(const char* setting) {
    return SettingGetInt(setting) != 0;
}

void Put(const char* setting, const QString& text, int limit) {
    SettingPut(setting, ToStoreText(text.left(limit)).c_str());
}

void PutNumber(const char* setting, int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", number);
    SettingPut(setting, text);
}

// Disabling a box also clears it: the panel must never act on an option the
// dialog shows as unavailable.
void Enable(QCheckBox* box, bool enabled) {
    box->setEnabled(enabled);
    if (!enabled)
        box->setChecked(false);
}

} // namespace

PanelInfoDialog::PanelInfoDialog(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Panel information"));
    Build();
    Fill();
}

void PanelInfoDialog::Build() {
    auto edit = [this](int id) {
        const Edit& e = *FindEdit(id);
        auto* field = new QLineEdit(this);
        field->setObjectName(IdName(id));
        if (e.readOnly) {
            field->setReadOnly(true);
            field->setEnabled(false);
        } else {
            LimitTyping(field, e.limit);
        }
        if (e.digitsOnly)
            field->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), field));
        return std::pair<const char*, QWidget*>(e.label, field);
    };
    auto drop = [this](int id) {
        const DropList& d = *FindDropList(id);
        auto* list = new QComboBox(this);
        list->setObjectName(IdName(id));
        for (int i = 0; i < d.count; ++i)
            list->addItem(QString::fromLatin1(d.entries[i]));
        return std::pair<const char*, QWidget*>(d.label, list);
    };
    auto valueButton = [this](int id) {
        const int index = FindValueButton(id);
        auto* button = new QPushButton(this);
        button->setObjectName(IdName(id));
        button->setAutoDefault(false);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("00:00s")) +
                                24);
        connect(button, &QPushButton::clicked, this, [this, index] { PressValueButton(index); });
        return std::pair<const char*, QWidget*>(kValueButtons[index].label, button);
    };
    auto box = [this](int id, bool radio = false) -> QWidget* {
        const Switch& s = *FindSwitch(id);
        QAbstractButton* button =
            radio ? static_cast<QAbstractButton*>(new QRadioButton(this)) : new QCheckBox(this);
        button->setText(QString::fromLatin1(s.label));
        button->setObjectName(IdName(id));
        return button;
    };
    auto form = [](std::initializer_list<std::pair<const char*, QWidget*>> rows) {
        auto* layout = new QFormLayout;
        layout->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        for (const auto& [label, field] : rows)
            layout->addRow(QString::fromLatin1(label), field);
        return layout;
    };
    auto group = [this](const char* title, std::initializer_list<QLayout*> layouts,
                        std::initializer_list<QWidget*> widgets) {
        auto* frame = new QGroupBox(QString::fromLatin1(title), this);
        auto* layout = new QVBoxLayout(frame);
        for (QLayout* l : layouts)
            layout->addLayout(l);
        for (QWidget* w : widgets)
            layout->addWidget(w);
        return frame;
    };

    // Identity, codes, language and relays.
    QFormLayout* panel =
        form({edit(1211), edit(1212), edit(1213), drop(1214), edit(1215), drop(1216), edit(1217),
              edit(1253), edit(1218), edit(1219), drop(1220), drop(1235), drop(1240), edit(1239),
              drop(1241), drop(1254)});

    auto* timings = new QVBoxLayout;
    timings->addWidget(
        group("Fire Link", {form({valueButton(1221), valueButton(1242), valueButton(1503)})}, {}));
    timings->addWidget(
        group("Talking sounders", {form({valueButton(1233)})},
              {box(1226), box(1244), box(1245, true), box(1246, true), box(1247, true)}));
    timings->addWidget(
        group("Pulsing alarms",
              {form({drop(1237), valueButton(1238), valueButton(1501), valueButton(1502)})}, {}));
    timings->addStretch();

    auto* more = new QVBoxLayout;
    more->addWidget(group("Day/Night mode", {form({valueButton(1231), valueButton(1232)})}, {}));
    more->addWidget(group("Beacon", {form({drop(1230)})}, {box(1227), box(1228), box(1243)}));
    more->addLayout(form({valueButton(1234), valueButton(1236)}));
    more->addStretch();

    auto* switches = new QGridLayout;
    const int switchIds[] = {1224, 1248, 1222, 1223, 1249, 1250,
                             1251, 1252, 1255, 1256, 1257, 1258};
    for (int i = 0; i < 12; ++i)
        switches->addWidget(box(switchIds[i]), i % 6, i / 6);

    auto* columns = new QHBoxLayout;
    columns->addLayout(panel);
    columns->addLayout(timings);
    columns->addLayout(more);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(IdName(1));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PanelInfoDialog::Confirm);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(switches);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (int id : kCodeIds)
        connect(findChild<QLineEdit*>(IdName(id)), &QLineEdit::textChanged, this,
                [this, id] { FilterCode(id); });
    for (int id : kSoundIds)
        connect(findChild<QRadioButton*>(IdName(id)), &QRadioButton::clicked, this,
                [this, id] { ChooseSounds(id); });
    connect(findChild<QCheckBox*>(IdName(1227)), &QCheckBox::toggled, this,
            &PanelInfoDialog::ApplyBeacon);
    connect(findChild<QCheckBox*>(IdName(1249)), &QCheckBox::toggled, this,
            &PanelInfoDialog::ApplyDayNight);
    connect(findChild<QCheckBox*>(IdName(1222)), &QCheckBox::toggled, this,
            &PanelInfoDialog::ApplyRemoteAlarm);
    connect(findChild<QCheckBox*>(IdName(1256)), &QCheckBox::toggled, this,
            &PanelInfoDialog::ApplyFbp);
}

void PanelInfoDialog::Fill() {
    group30Used_ = InputGroupUsed(30);
    group31Used_ = InputGroupUsed(31);

    for (int i = 0; i < kEditCount; ++i) {
        auto* field = findChild<QLineEdit*>(IdName(kEdits[i].id));
        const QString text = FromStoreText(SettingGet(kEdits[i].setting));
        // Shown whole, so OK does not cut a value nobody touched.
        if (kEdits[i].readOnly)
            field->setText(text);
        else
            SetStoredText(field, text, kEdits[i].limit);
    }

    if (!SettingGet("MaxLoggedDev"))
        SettingSet("MaxLoggedDev", "192");
    for (int i = 0; i < kDropListCount; ++i) {
        const DropList& d = kDropLists[i];
        auto* list = findChild<QComboBox*>(IdName(d.id));
        // An index outside the list selects nothing.
        int64_t index = SettingGetInt(d.setting);
        if (d.id == 1230) {
            index -= 1; // the setting holds index + 1; 0 selects nothing
        } else if (d.id == 1241) {
            const int byText = list->findText(FromStoreText(SettingGet(d.setting)));
            if (byText >= 0)
                index = byText;
        }
        list->setCurrentIndex(index >= 0 && index < d.count ? static_cast<int>(index) : -1);
    }

    // The stored states first, then the rules over all of them.
    for (int i = 0; i < kSwitchCount; ++i) {
        auto* button = findChild<QAbstractButton*>(IdName(kSwitches[i].id));
        const QSignalBlocker quiet(button);
        // The three sound radio buttons hold three flags of their own, and
        // a panel may have more than one set: showing them must not clear
        // one, or OK would write a change nobody made.
        const bool exclusive = button->autoExclusive();
        button->setAutoExclusive(false);
        button->setChecked(FlagSet(kSwitches[i].setting));
        button->setAutoExclusive(exclusive);
    }

    for (int i = 0; i < kValueButtonCount; ++i)
        ShowValueButton(i);

    findChild<QLineEdit*>(IdName(1213))->setEnabled(false);
    findChild<QLineEdit*>(IdName(1239))->setEnabled(false);
    Enable(findChild<QCheckBox*>(IdName(1248)), !group30Used_);
    ApplyBeacon();
    ApplyFbp();
    ApplyDayNight();
    ApplyRemoteAlarm();
}

void PanelInfoDialog::ShowValueButton(int index) {
    const ValueButton& v = kValueButtons[index];
    const char* value = SettingGet(v.setting);
    QString text;
    if (value)
        text = FromStoreText(value) + (v.secondsSuffix ? QStringLiteral("s") : QString());
    else if (v.kind == ValueKind::kPulseTime)
        text = QStringLiteral("???");
    findChild<QPushButton*>(IdName(v.id))->setText(text);
}

void PanelInfoDialog::PressValueButton(int index) {
    const ValueButton& v = kValueButtons[index];
    char* value = SettingSet(v.setting, v.created);
    if (!value)
        return; // a full store: nothing to edit
    ValueDialogParams params;
    params.title = v.title;
    params.value = value;
    params.minimum = v.minimum;
    params.maximum = v.maximum;
    params.step = v.step;
    switch (v.kind) {
    case ValueKind::kTimeDelay:
        RunTimeDelayDialog(this, params);
        break;
    case ValueKind::kSeconds:
        RunSecondsDialog(this, params);
        break;
    case ValueKind::kPulseTime:
        RunPulseTimeDialog(this, value);
        break;
    case ValueKind::kTimeOfDay: {
        // The clock times are edited on a copy that only OK takes over.
        char copy[kSettingValueSize];
        std::snprintf(copy, sizeof copy, "%s", value);
        if (RunTimeOfDayDialog(this, copy))
            SettingPut(v.setting, copy);
        break;
    }
    }
    ShowValueButton(index);
}

void PanelInfoDialog::FilterCode(int id) {
    auto* field = findChild<QLineEdit*>(IdName(id));
    QString text = field->text().left(kCodeReadLimit);
    // The last character goes until no refused digit is left.
    bool cut = false;
    while (std::strpbrk(text.toLatin1().constData(), kCodeDigitsRefused)) {
        text.chop(1);
        cut = true;
    }
    if (!cut)
        return;
    field->setText(text);
    field->setCursorPosition(static_cast<int>(text.size()));
}

// A click chooses one kind of sound and clears the others, also when more
// than one was set at opening.
void PanelInfoDialog::ChooseSounds(int id) {
    for (int other : kSoundIds) {
        auto* button = findChild<QRadioButton*>(IdName(other));
        button->setAutoExclusive(false);
        button->setChecked(other == id);
        button->setAutoExclusive(true);
    }
}

void PanelInfoDialog::ApplyBeacon() {
    const bool beacon = findChild<QCheckBox*>(IdName(1227))->isChecked();
    Enable(findChild<QCheckBox*>(IdName(1243)), !beacon);
    Enable(findChild<QCheckBox*>(IdName(1228)), !beacon);
}

void PanelInfoDialog::ApplyDayNight() {
    const bool dayNight = findChild<QCheckBox*>(IdName(1249))->isChecked();
    Enable(findChild<QCheckBox*>(IdName(1222)), !dayNight && !group31Used_);
    ApplyRemoteAlarm();
}

void PanelInfoDialog::ApplyRemoteAlarm() {
    auto* remote = findChild<QCheckBox*>(IdName(1222));
    Enable(findChild<QCheckBox*>(IdName(1223)), remote->isEnabled() && remote->isChecked());
}

void PanelInfoDialog::ApplyFbp() {
    Enable(findChild<QCheckBox*>(IdName(1258)), !findChild<QCheckBox*>(IdName(1256))->isChecked());
}

// A code with missing digits would reach the panel with zeros in their place:
// a code nobody can enter on its keys.
bool PanelInfoDialog::CodesComplete() {
    for (int id : kCodeIds) {
        auto* field = findChild<QLineEdit*>(IdName(id));
        if (field->text().size() == 6)
            continue;
        const std::string text = std::string(FindEdit(id)->label) + " must have six digits";
        Ui().Message(this, text, App().appTitle, MessageIcon::kStop);
        field->setFocus();
        field->selectAll();
        return false;
    }
    return true;
}

void PanelInfoDialog::Confirm() {
    if (!CodesComplete())
        return;
    auto text = [this](int id) { return findChild<QLineEdit*>(IdName(id))->text(); };
    auto buttonText = [this](int id) { return findChild<QPushButton*>(IdName(id))->text(); };
    auto list = [this](int id) { return findChild<QComboBox*>(IdName(id)); };
    // A list without a selection shows a stored value it does not know (say
    // from a newer panel): it stays as it is rather than becoming -1, which
    // the panel would read as 255.
    auto putIndex = [&list](int id, const char* setting, int offset = 0) {
        const int index = list(id)->currentIndex();
        if (index >= 0)
            PutNumber(setting, index + offset);
    };

    for (int i = 0; i < kSwitchWriteOrderCount; ++i) {
        const Switch& s = *FindSwitch(kSwitchWriteOrder[i]);
        SettingSetFlag(s.setting, findChild<QAbstractButton*>(IdName(s.id))->isChecked());
    }

    Put("PanelSnum", text(1211), kTextReadLimit);
    Put("ContractorCode", text(1212), kTextReadLimit);
    Put("FirstKnockSearchTime", buttonText(1242), kTextReadLimit);

    putIndex(1214, "PanelType");
    Put("NumZones", text(1215), kTextReadLimit);
    putIndex(1240, "FireRelayMode");
    if (list(1241)->currentIndex() >= 0)
        Put("MaxLoggedDev", list(1241)->currentText(), kDevicesPerLoopReadLimit);
    putIndex(1216, "OverlayType");

    Put("UserCode", text(1217), kCodeReadLimit);
    Put("UserCode2", text(1253), kCodeReadLimit);
    Put("EngineerCode", text(1218), kCodeReadLimit);
    Put("AdvancedCode", text(1219), kCodeReadLimit);

    Put("FireLinkDelay", buttonText(1221), kSettingValueSize - 1);
    Put("DayNightOnTime", buttonText(1231), kSettingValueSize - 1);
    Put("DayNightOffTime", buttonText(1232), kSettingValueSize - 1);
    Put("PulsingAlarmTimeoutTime", buttonText(1238), kSettingValueSize - 1);

    putIndex(1237, "PulsingAlarmTimeoutTone");
    putIndex(1254, "DisplayMode");
    putIndex(1220, "Language");
    putIndex(1230, "BeaconFlashrate", 1);
    putIndex(1235, "FaultRelayMode");
    accept();
}

void RunPanelInfoDialog(QWidget* owner) {
    PanelInfoDialog dialog(owner);
    dialog.exec();
}
