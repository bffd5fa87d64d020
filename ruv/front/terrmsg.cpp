// Error-message forwarders (ruv_errmsg_): the error framework handed to the
// application unchanged.  No mark, no check and no refusal during an
// update, so that an error handler may call them at any time.
#include "ruv.h"

extern "C" {

int32_t ruv_errmsg_dispatch(void *object, int32_t severity, RUV_ERRMSG_ID id, const char *file, int32_t line)
{
    return ruvv_errmsg_dispatch(object, severity, id, file, line);
}

int32_t ruv_errmsg_dispatch_s(void *object, int32_t severity, RUV_ERRMSG_ID id, const char *file, int32_t line,
                              const char *arg)
{
    return ruvv_errmsg_dispatch_s(object, severity, id, file, line, arg);
}

RUV_BOOL ruv_errmsg_push_handler(RUV_ERR_HANDLER handler, void *data)
{
    return ruvv_errmsg_push_handler(handler, data);
}

int16_t ruv_errmsg_pop_handler(RUV_ERR_HANDLER handler)
{
    return ruvv_errmsg_pop_handler(handler);
}

int32_t ruv_errmsg_get_sev_id(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_sev_id(errmsg);
}

const char *ruv_errmsg_get_sev_text(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_sev_text(errmsg);
}

RUV_ERRMSG_ID ruv_errmsg_get_msg_id(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_msg_id(errmsg);
}

const char *ruv_errmsg_get_msg_text(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_msg_text(errmsg);
}

const char *ruv_errmsg_get_cat_text(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_cat_text(errmsg);
}

int32_t ruv_errmsg_get_code_line(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_code_line(errmsg);
}

const char *ruv_errmsg_get_code_file(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_code_file(errmsg);
}

const char *ruv_errmsg_get_api_name(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_api_name(errmsg);
}

void *ruv_errmsg_get_tgt_object(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_tgt_object(errmsg);
}

void *ruv_errmsg_get_req_object(RUV_ERRMSG *errmsg)
{
    return ruvv_errmsg_get_req_object(errmsg);
}

char *ruv_errmsg_get_text(RUV_ERRMSG *errmsg, RUV_ERRMSG_ID id, char *buffer, int32_t size)
{
    return ruvv_errmsg_get_text(errmsg, id, buffer, size);
}

} // extern "C"
