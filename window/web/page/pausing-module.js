// Calls into a WebAssembly module that binaryen's Asyncify made able to pause inside an
// import: the import starts a promise and unwinds the module's stack into a static area;
// once the promise settles, the call is made again and the stack rewound to the same place,
// where the import returns the promise's value. Calls are run one at a time, in the order
// they were made, as a desktop window handles its events.

const kRewinding = 2;

export class PausingModule {
    #exports;
    #data;
    #pending = null;
    #resumed;
    #queue = Promise.resolve();

    // dataAddress: the static area the module keeps for Asyncify, its first two words set.
    constructor(exports, dataAddress) {
        this.#exports = exports;
        this.#data = dataAddress;
    }

    // An import that may pause the module: wait(...args) returns a promise of its value.
    pausing(wait) {
        return (...args) => {
            const module = this.#exports;
            if (module.asyncify_get_state() === kRewinding) {
                module.asyncify_stop_rewind();
                return this.#resumed;
            }
            this.#pending = wait(...args);
            module.asyncify_start_unwind(this.#data);
            return 0;
        };
    }

    // Runs the export name(...args) to its end, after every call made before it.
    call(name, ...args) {
        const run = this.#queue.then(() => this.#run(name, args));
        this.#queue = run.catch(() => {});
        return run;
    }

    async #run(name, args) {
        const module = this.#exports;
        let result = module[name](...args);
        while (this.#pending !== null) {
            module.asyncify_stop_unwind();
            const waiting = this.#pending;
            this.#pending = null;
            this.#resumed = await waiting;
            module.asyncify_start_rewind(this.#data);
            result = module[name](...args);
        }
        return result;
    }
}
