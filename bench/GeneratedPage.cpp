#include "bench/GeneratedPage.h"

#include "platform/Cp932.h"

#include <QStringList>

#include <random>
#include <vector>

// Japanese prose and markup in the proportions of a hand-written page, the title and table
// rows indented by a tab.
std::string GenerateHtml(std::size_t size) {
    const QStringList sentences{
        QStringLiteral("このページでは当店の新しい商品をご紹介します。"),
        QStringLiteral("お問い合わせは下記のメールアドレスまでお願いいたします。"),
        QStringLiteral("春の特別セールは三月一日から始まります、どうぞお楽しみに。"),
        QStringLiteral("ホームページを全面的にリニューアルしました。"),
        QStringLiteral("営業時間：午前１０時～午後７時（日曜・祝日は休業）"),
        QStringLiteral("①から⑳までの番号付きの項目と、ﾊﾝｶｸｶﾀｶﾅも使われています。"),
    };
    std::vector<std::string> encoded;
    for (const QString& s : sentences)
        encoded.push_back(Cp932::Encode(s).bytes);
    std::mt19937 rng(42);
    std::string out = "<html><head>\r\n\t<title>\x83\x65\x83\x58\x83\x67</title>\r\n</head>\r\n<body>\r\n";
    int item = 0;
    while (out.size() < size) {
        switch (rng() % 6) {
        case 0:
            out += "<h2>" + encoded[rng() % encoded.size()] + "</h2>\r\n";
            break;
        case 1:
            out += "<table border=\"1\">\r\n\t<tr><td>" + encoded[rng() % encoded.size()] + "</td><td>" +
                   std::to_string(item++) + "</td></tr>\r\n</table>\r\n";
            break;
        case 2:
            out += "<a href=\"./page" + std::to_string(item++) + ".html\">" +
                   encoded[rng() % encoded.size()] + "</a><br>\r\n";
            break;
        default: {
            out += "<p>";
            const int n = 1 + static_cast<int>(rng() % 4);
            for (int i = 0; i < n; ++i)
                out += encoded[rng() % encoded.size()];
            out += "</p>\r\n";
        }
        }
    }
    out += "</body></html>\r\n";
    return out;
}
