// Test peer: an aedes MQTT broker behind two WebSocket listeners on the
// loopback interface, one plain (ws) and one over TLS (wss).
// Usage: node mqtt-aedes-peer.js <cert.pem> <key.pem> <portfile>
// Writes "<wsPort> <wssPort>\n" to <portfile> once both listen.
'use strict'
const fs = require('fs')
const path = require('path')
const root = path.resolve(__dirname, '..', '..')
const Aedes = require(path.join(root, 'node_modules', 'aedes'))
const { createServer } = require(path.join(root, 'node_modules', 'aedes-server-factory'))

const [cert, key, portFile] = process.argv.slice(2)
if (!cert || !key || !portFile) {
  console.error('usage: node mqtt-aedes-peer.js <cert.pem> <key.pem> <portfile>')
  process.exit(2)
}

const broker = Aedes()
const ws = createServer(broker, { ws: true })
const wss = createServer(broker, {
  ws: true,
  https: { cert: fs.readFileSync(cert), key: fs.readFileSync(key) }
})

function listen (server) {
  return new Promise((resolve, reject) => {
    server.once('error', reject)
    server.listen(0, '127.0.0.1', () => resolve(server.address().port))
  })
}

Promise.all([listen(ws), listen(wss)]).then(([wsPort, wssPort]) => {
  fs.writeFileSync(portFile + '.tmp', `${wsPort} ${wssPort}\n`)
  fs.renameSync(portFile + '.tmp', portFile)
  console.log(`aedes listening: ws ${wsPort}, wss ${wssPort}`)
}).catch((err) => {
  console.error('aedes peer failed:', err.message)
  process.exit(1)
})

function shutdown () {
  ws.close()
  wss.close()
  broker.close(() => process.exit(0))
  setTimeout(() => process.exit(0), 1000).unref()
}
process.on('SIGTERM', shutdown)
process.on('SIGINT', shutdown)
