# The manual's worked example runs as printed, on the module of this build.
import html
import os
import re

import pytest

MANUAL = os.path.join(os.path.dirname(__file__), "..", "..", "doc", "manual", "index.html")


def test_the_manuals_example_runs():
    pytest.importorskip("pandas")
    page = open(MANUAL, encoding="utf-8").read()
    section = page[page.index('<h2 id="python">'):]
    code = html.unescape(re.search(r"<pre>(.*?)</pre>", section, re.S).group(1))
    exec(compile(code, "manual example", "exec"), {})
