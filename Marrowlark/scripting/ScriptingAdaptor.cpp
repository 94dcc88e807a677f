#include "scripting/ScriptingAdaptor.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

const QString propertiesInterface = u"org.freedesktop.DBus.Properties"_s;

template <typename... Handlers> struct Overloaded : Handlers...
{
    using Handlers::operator()...;
};

std::optional<ScriptCommand> commandOfMethod(const QString &member)
{
    static const QHash<QString, ScriptCommand> commands {
        { u"CreateProject"_s, ScriptCommand::createProject },
        { u"AddCueList"_s, ScriptCommand::addCueList },
        { u"AddCue"_s, ScriptCommand::addCue },
        { u"ClearProject"_s, ScriptCommand::clearProject },
        { u"ImportCueData"_s, ScriptCommand::importCueData },
    };
    const auto found = commands.constFind(member);
    return found == commands.cend() ? std::nullopt : std::optional(*found);
}

// The <interface> element of the dictionary with that name.
QString dictionaryInterface(const QString &name)
{
    static const QString dictionary = [] {
        QFile file(u":/dbus/com.zaveraverorade.Marrowlark.xml"_s);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    const qsizetype start = dictionary.indexOf(u"<interface name=\""_s + name + u'"');
    const QString end = u"</interface>"_s;
    const qsizetype stop = dictionary.indexOf(end, start);
    if (start < 0 || stop < 0)
        return {};
    return u"  "_s + dictionary.mid(start, stop + end.size() - start) + u'\n';
}

QString leafName(const QString &id)
{
    QString leaf = id;
    return leaf.replace(u'-', u'_');
}

QString folderOf(const ScriptableObject &object)
{
    return std::visit(Overloaded {
                          [](const std::shared_ptr<ScriptableProject> &) { return u"projects"_s; },
                          [](const std::shared_ptr<ScriptableCueList> &) { return u"cuelists"_s; },
                          [](const std::shared_ptr<ScriptableCue> &) { return u"cues"_s; },
                      },
        object);
}

QString pathOf(const ScriptableObject &object)
{
    const QString id = std::visit([](const auto &pointer) { return pointer->id; }, object);
    return ScriptingAdaptor::rootPath + u'/' + folderOf(object) + u'/' + leafName(id);
}

template <typename Object> QVariant pathsOf(const QList<std::shared_ptr<Object>> &objects)
{
    QList<QDBusObjectPath> paths;
    paths.reserve(objects.size());
    for (const std::shared_ptr<Object> &object : objects)
        paths.append(QDBusObjectPath(pathOf(ScriptableObject(object))));
    return QVariant::fromValue(paths);
}

// The object's interface and its properties by key.
std::pair<QString, QVariantMap> propertiesOf(const ScriptableObject &object)
{
    const QString prefix = u"com.zaveraverorade.Marrowlark."_s;
    return std::visit(
        Overloaded {
            [&](const std::shared_ptr<ScriptableProject> &project) {
                return std::pair(prefix + u"ScriptableProject"_s,
                    QVariantMap { { u"name"_s, project->name }, { u"id"_s, project->id },
                        { u"cueLists"_s, pathsOf(project->cueLists) } });
            },
            [&](const std::shared_ptr<ScriptableCueList> &list) {
                return std::pair(prefix + u"ScriptableCueList"_s,
                    QVariantMap { { u"name"_s, list->name }, { u"id"_s, list->id },
                        { u"cues"_s, pathsOf(list->cues) } });
            },
            [&](const std::shared_ptr<ScriptableCue> &cue) {
                return std::pair(prefix + u"ScriptableCue"_s,
                    QVariantMap {
                        { u"id"_s, cue->id },
                        { u"cueType"_s, cue->cueType },
                        { u"cueNumber"_s, cue->cueNumber },
                        { u"name"_s, cue->name },
                        { u"action"_s, cue->action },
                        { u"notes"_s, cue->notes },
                        { u"triggerInfo"_s, cue->triggerInfo },
                        { u"qlabCueID"_s, cue->qlabCueID },
                        { u"preWaitStr"_s, cue->preWaitStr },
                        { u"postWaitStr"_s, cue->postWaitStr },
                    });
            },
        },
        object);
}

QVariant unwrapped(const QVariant &argument)
{
    if (argument.metaType() == QMetaType::fromType<QDBusVariant>())
        return argument.value<QDBusVariant>().variant();
    return argument;
}

// The add-cue arguments, sent as a{sv} or, as dbus-send can only build dictionaries of one
// type, a{ss}; none for any other parameters.
std::optional<QVariantMap> namedArguments(const QDBusMessage &message)
{
    const QString signature = message.signature();
    if (signature != u"a{sv}" && signature != u"a{ss}")
        return std::nullopt;
    const auto argument = message.arguments().constFirst().value<QDBusArgument>();
    if (signature == u"a{sv}")
        return qdbus_cast<QVariantMap>(argument);
    QVariantMap arguments;
    const QMap<QString, QString> texts = qdbus_cast<QMap<QString, QString>>(argument);
    for (auto text = texts.cbegin(); text != texts.cend(); ++text)
        arguments.insert(text.key(), text.value());
    return arguments;
}

} // namespace

ScriptingAdaptor::ScriptingAdaptor(ProjectStore &store, QObject *parent)
    : QDBusVirtualObject(parent)
    , m_bridge(store)
{ }

QString ScriptingAdaptor::introspect(const QString &path) const
{
    if (const auto object = m_objects.constFind(path); object != m_objects.cend())
        return dictionaryInterface(propertiesOf(*object).first);

    QString xml = path == rootPath ? dictionaryInterface(interfaceName) : QString();
    // The child nodes of the path, each once: the folders, or the objects in a folder.
    const QString prefix = path + u'/';
    QString lastChild;
    for (auto object = m_objects.lowerBound(prefix);
         object != m_objects.cend() && object.key().startsWith(prefix); ++object) {
        const QString child = object.key().mid(prefix.size()).section(u'/', 0, 0);
        if (child != lastChild)
            xml += u"  <node name=\""_s + child + u"\"/>\n"_s;
        lastChild = child;
    }
    return xml;
}

bool ScriptingAdaptor::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    const QString interface = message.interface();
    // Qt answers introspection (through introspect()) and pings.
    if (interface == u"org.freedesktop.DBus.Introspectable"
        || interface == u"org.freedesktop.DBus.Peer")
        return false;

    QDBusMessage reply;
    if (interface == propertiesInterface)
        reply = propertiesCall(message);
    else if (message.path() == rootPath && (interface.isEmpty() || interface == interfaceName))
        reply = commandCall(message);
    else
        reply = message.createErrorReply(QDBusError::UnknownMethod,
            u"No method %1 in interface %2 at %3"_s.arg(
                message.member(), interface, message.path()));
    connection.send(reply);
    return true;
}

QDBusMessage ScriptingAdaptor::commandCall(const QDBusMessage &message)
{
    const std::optional<ScriptCommand> command = commandOfMethod(message.member());
    if (!command)
        return message.createErrorReply(
            QDBusError::UnknownMethod, u"No script command %1"_s.arg(message.member()));

    // AddCue's one parameter is its named arguments; the others take a direct parameter.
    ScriptResult result { {}, ScriptResult::missingParameter };
    if (*command != ScriptCommand::addCue)
        result = m_bridge.perform(*command, unwrapped(message.arguments().value(0)), {});
    else if (const std::optional<QVariantMap> arguments = namedArguments(message))
        result = m_bridge.perform(*command, {}, *arguments);
    if (*command == ScriptCommand::clearProject)
        m_objects.clear();

    if (result.errorNumber != 0) {
        const QString number = QString::number(result.errorNumber);
        return message.createErrorReply(
            u"com.zaveraverorade.Marrowlark.Error.Number"_s + number, number);
    }
    return std::visit(Overloaded {
                          [&](std::monostate) { return message.createReply(); },
                          [&](bool accepted) { return message.createReply(accepted); },
                          [&](const ScriptableObject &object) {
                              return message.createReply(
                                  QVariant::fromValue(QDBusObjectPath(publish(object))));
                          },
                      },
        result.value);
}

QString ScriptingAdaptor::publish(const ScriptableObject &object)
{
    const QString path = pathOf(object);
    m_objects.insert(path, object);
    return path;
}

QDBusMessage ScriptingAdaptor::propertiesCall(const QDBusMessage &message) const
{
    const auto object = m_objects.constFind(message.path());
    if (object == m_objects.cend() && message.path() != rootPath)
        return message.createErrorReply(
            QDBusError::UnknownObject, u"No object at %1"_s.arg(message.path()));
    // The root offers commands only.
    const auto [objectInterface, properties] = object == m_objects.cend()
        ? std::pair(interfaceName, QVariantMap())
        : propertiesOf(*object);

    const QVariantList arguments = message.arguments();
    const QString interface = arguments.value(0).toString();
    const QString member = message.member();
    const bool argumentsFit = arguments.size()
            == (member == u"GetAll"    ? 1
                    : member == u"Get" ? 2
                                       : 3)
        && arguments[0].typeId() == QMetaType::QString
        && (arguments.size() == 1 || arguments[1].typeId() == QMetaType::QString);
    if (!argumentsFit)
        return message.createErrorReply(QDBusError::InvalidArgs, u"Invalid arguments"_s);
    if (!interface.isEmpty() && interface != objectInterface)
        return message.createErrorReply(QDBusError::UnknownInterface,
            u"No interface %1 at %2"_s.arg(interface, message.path()));
    if (member == u"GetAll")
        return message.createReply(properties);

    const QString name = arguments[1].toString();
    if (!properties.contains(name))
        return message.createErrorReply(QDBusError::UnknownProperty, u"No property %1"_s.arg(name));
    if (member == u"Set")
        return message.createErrorReply(
            QDBusError::PropertyReadOnly, u"Property %1 is read-only"_s.arg(name));
    return message.createReply(QVariant::fromValue(QDBusVariant(properties.value(name))));
}
