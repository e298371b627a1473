"""The manual page names every option --help names, and no other."""
import re
import subprocess
import sys

program, manual = sys.argv[1:3]
shown = subprocess.run([program, "--help"], capture_output=True, text=True, check=True).stdout
helped = set(re.findall(r"^  (?:-\w, )?(--?[\w-]*)", shown, re.M))
helped |= set(re.findall(r"^  (-\w), ", shown, re.M))
with open(manual) as page:
    options = page.read().split(".SH OPTIONS")[1].split("\n.SH ")[0]
documented = {o.replace("\\-", "-") for o in re.findall(r"^\.B[IR]? ((?:\\-)+[\w\\-]*)", options, re.M)}
documented |= {o.replace("\\-", "-") for o in re.findall(r'", " ((?:\\-)+[\w\\-]*)', options)}
if helped != documented:
    sys.exit(f"--help names {sorted(helped)}, the manual page {sorted(documented)}")
print(f"{len(helped)} options in both")
