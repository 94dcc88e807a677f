# The program driven as another program would drive it; the open project is read from the file
# that the test's build of the program writes on each change.
import json, os, re, subprocess, sys, tempfile, time

PROGRAM = sys.argv[1]
DEST, ROOT = "com.zaveraverorade.Marrowlark", "/com/zaveraverorade/Marrowlark"
SCRIPTING = DEST + ".Scripting"


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, timeout=20)


def gdbus(method, *args, path=ROOT, dest=DEST):
    return run("gdbus", "call", "--session", "--dest", dest, "--object-path", path,
               "--method", method, *args)


def call(method, *args, path=ROOT):
    done = gdbus(method, *args, path=path)
    assert done.returncode == 0, done.stderr
    return done.stdout.strip()


def new_object(method, *args):
    return re.fullmatch(r"\(objectpath '([^']+)',\)", call(SCRIPTING + "." + method, *args)).group(1)


def prop(path, name):
    return call("org.freedesktop.DBus.Properties.Get", "", name, path=path)


def eventually(check, what):
    for _ in range(100):
        try:
            if check():
                return
        except (OSError, ValueError):
            pass
        time.sleep(0.1)
    raise AssertionError("never happened: " + what)


def project():
    with open(project_file) as file:
        return json.load(file)


def failing(done):
    assert done.returncode != 0, done.stdout
    return done.stderr


def dbus_send(method, *parameters):
    return run("dbus-send", "--session", "--print-reply", "--dest=" + DEST, ROOT,
               SCRIPTING + "." + method, *parameters)


folder = tempfile.mkdtemp()
project_file = os.path.join(folder, "store.vtl")
env = dict(os.environ, QT_QPA_PLATFORM="offscreen", BUS_TEST_STORE_FILE=project_file)
program = subprocess.Popen([PROGRAM], env=env)
try:
    eventually(lambda: "true" in gdbus("org.freedesktop.DBus.NameHasOwner", DEST,
        dest="org.freedesktop.DBus", path="/org/freedesktop/DBus").stdout, "the service appears")
    dictionary = run("gdbus", "introspect", "--session", "--dest", DEST, "--object-path", ROOT).stdout
    for method in ("CreateProject", "AddCueList", "AddCue", "ClearProject", "ImportCueData"):
        assert method + "(" in dictionary, dictionary

    show = new_object("CreateProject", "Show")
    act = new_object("AddCueList", "Act 1")
    fade = new_object("AddCue", "{'cueType': <'Fade (fx)'>, 'cueNumber': <'1'>, "
                      "'cuePreWait': <'1.5'>, 'cuePostWait': <'nan'>}")
    plain = new_object("AddCue", "{'cuePreWait': <int32 2>}")
    assert prop(show, "name") == "(<'Show'>,)"
    assert len(re.search(r"'([0-9A-F-]+)'", prop(show, "id")).group(1)) == 36
    assert prop(show, "cueLists") == f"(<[objectpath '{act}']>,)"
    assert prop(act, "cues") == f"(<[objectpath '{fade}', '{plain}']>,)"
    assert prop(fade, "postWaitStr") == "(<'nan'>,)" and prop(plain, "preWaitStr") == "(<'0'>,)"

    def store_holds_show():
        lists = project()["cueLists"]
        cues = lists[0]["cues"]
        return (project()["name"] == "Show" and [l["name"] for l in lists] == ["Act 1"]
                and [(c["type"], c["preWait"], c["postWait"]) for c in cues]
                == [("Fade", 1.5, 0), ("Audio", 0, 0)])
    eventually(store_holds_show, "the open project holds the scripted cues")

    error6 = failing(gdbus(SCRIPTING + ".ImportCueData", '{"cueLists": []}'))
    assert "GDBus.Error:" + DEST + ".Error.Number6: 6" in error6, error6

    cue_data = {"workspaceName": "Imported", "cueLists": [
        {"name": "A", "cues": [["Memo", "1", "n", "", "", "", "Q1", "0.5"]]}]}
    assert call(SCRIPTING + ".ImportCueData", json.dumps(cue_data)) == "(true,)"
    eventually(lambda: project()["name"] == "Imported", "the imported project opens")
    assert prop(show, "name") == "(<'Show'>,)"  # the import leaves the script objects alone

    assert call(SCRIPTING + ".ClearProject") == "()"
    eventually(lambda: project()["cueLists"] == [] and project()["name"] != "Imported",
               "a new project opens")
    assert "UnknownObject" in failing(gdbus("org.freedesktop.DBus.Properties.Get", "", "name",
                                            path=show))

    # gdbus checks types against the dictionary; dbus-send sends what it is given, and builds
    # dictionaries of one type only: AddCue reads a{ss} as a{sv}. Other parameters get error 5.
    new_object("CreateProject", "Dictionaries")
    new_object("AddCueList", "Texts")
    for refused in (["CreateProject", "int32:7"], ["AddCue"], ["AddCue", "string:Rain"],
                    ["AddCue", "dict:string:int32:cueNumber,7"],
                    ["AddCue", "dict:string:string:cueNumber,7", "string:extra"]):
        error5 = failing(dbus_send(*refused))
        assert "Error " + DEST + ".Error.Number5: 5" in error5, (refused, error5)
    assert "object path" in dbus_send("AddCue", "dict:string:string:cueNumber,7,cueName,Rain").stdout
    eventually(lambda: [(c["number"], c["name"]) for l in project()["cueLists"] for c in l["cues"]]
               == [("7", "Rain")], "only the dictionary of texts adds a cue")
finally:
    program.terminate()
    program.wait(10)

# Without a bus the program carries on and says so once.
lonely = subprocess.Popen([PROGRAM], stderr=subprocess.PIPE, text=True,
    env=dict(env, DBUS_SESSION_BUS_ADDRESS="unix:path=" + os.path.join(folder, "no-bus")))
time.sleep(1.5)
assert lonely.poll() is None, "the program stopped without a bus"
lonely.terminate()
said = lonely.communicate(timeout=10)[1]
assert said.count("script commands are unavailable") == 1, said
print("ok")
