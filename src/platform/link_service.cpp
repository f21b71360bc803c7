#include "platform/link_service.h"

#include "platform/runtime_error.h"

namespace platform {

void throw_link_error(int number) {
    switch (number) {
        case link_error_no_answer: throw runtime_error(number, u"没有外部应用程序响应 DDE 初始化");
        case link_error_timeout: throw runtime_error(number, u"等待 DDE 响应超时");
        default: throw runtime_error(link_error_refused, u"外部应用程序不能执行 DDE 方法或操作");
    }
}

}  // namespace platform
