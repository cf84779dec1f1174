#include "model/app/form_options.h"

#include <QDir>
#include <QStandardPaths>

FormOptions default_form_options() {
    const QDir cache(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
    FormOptions options;
    options.download_folder = cache.filePath("ravelmoot/pages").toStdString() + "/";
    options.debug_file = cache.filePath("ravelmoot/test/_tmp.htm").toStdString();
    return options;
}
