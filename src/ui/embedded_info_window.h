#pragma once
#include <QWidget>
#include "app/app_context.h"
#include "model/embedded_info.h"
namespace hvt {
void ShowEmbeddedInfoWindow(QWidget* parent, const AppContext& context, const EmbeddedInfo& info);
}
