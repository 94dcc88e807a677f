# Fails when a source file of the folder given includes from a folder that is not below its own in
# the folder's layers.txt, or stands in a folder that file does not name.
import pathlib, re, sys

root = pathlib.Path(sys.argv[1])
layers = [line.split() for line in (root / "layers.txt").read_text().splitlines()
          if line.strip() and not line.startswith("#")]
rank = {folder: number for number, line in enumerate(layers) for folder in line}
include = re.compile(r'^\s*#\s*include\s*"([^/"]+)/', re.MULTILINE)

faults = []
for path in sorted(root.rglob("*")):
    if path.suffix not in (".h", ".cpp", ".def"):
        continue
    parts = path.relative_to(root).parts
    if len(parts) == 1:  # main.cpp wires the layers together
        continue
    folder = parts[0]
    if folder not in rank:
        faults.append(f"{path}: {folder}/ is not among the layers")
        continue
    text = path.read_text(encoding="utf-8")
    for match in include.finditer(text):
        used = match.group(1)
        if used in rank and used != folder and rank[used] >= rank[folder]:
            line = text.count("\n", 0, match.start()) + 1
            faults.append(f"{path}:{line}: {folder}/ includes {used}/, which is not below it")

print("\n".join(faults) or "ok")
sys.exit(1 if faults else 0)
