// Legends as the editor writes them: HTML, which it renders. kblmake maps and draws their plain text.
#pragma once

#include <string>

// The text of the HTML legend `html`: a line break for each <br>, other tags left out, character entities
// decoded (&amp;, &nbsp;, &dArr;, &#8679;, &#x21E7;, ...) and blanks at the ends of each line dropped. A
// legend without '<' or '&' is its own text.
std::string LegendFromHtml(const std::string& html);
