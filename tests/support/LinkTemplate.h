#pragma once
// The link template of the worked example, as its file holds it (UTF-8
// here: a test writes it in the code page it needs).
#include <string>

namespace mq::test {

inline const std::string kLinkTemplate =
    "[KestrelTagTemplete]\r\nTagName=リンク\r\nIndex=B12\r\nBaseElement=A\r\nElement1=TASK=\r\n"
    "Element2=DEST=\r\nElement1Default=GO\r\nElement2Default=#top\r\nCloseTag=</A>\r\n";

}  // namespace mq::test
