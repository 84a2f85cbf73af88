#include "outreach/updateprompt.h"

#include "outreach/weblinks.h"
#include "settings/settingsstore.h"
#include "widgets/windowstyle.h"

#include <QMessageBox>

namespace tressora {

void UpdatePrompt()
{
    const UpdateStep step = updateStep(ReadSetting(durationKey()), QDateTime::currentDateTime());
    if (step == UpdateStep::Nothing)
        return;
    if (step == UpdateStep::RecordNow) {
        WriteSetting(durationKey(), durationText(QDateTime::currentDateTime()));
        return;
    }

    QMessageBox box(QMessageBox::Information, applicationTitle(), updateQuestion(),
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    // A plain label drops what follows a lone carriage return; selectable text goes through the
    // text document, which starts a new line there.
    box.setTextInteractionFlags(box.textInteractionFlags() | Qt::TextSelectableByMouse);
    const int answer = box.exec();

    // The time of the answer is recorded before the page opens; if it can't be, the rest of
    // the prompt is abandoned.
    if (!WriteSetting(durationKey(), durationText(QDateTime::currentDateTime())))
        return;
    if (answer == QMessageBox::Yes)
        OpenDownloadPage();
}

} // namespace tressora
